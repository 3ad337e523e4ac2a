// Reading PNG files: the chunks, the zlib stream of the image data, the row
// filters and interlacing, and every colour type and bit depth to 8-bit RGB.

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

#include "media/png_chunks.h"
#include "media/png_file.h"
#include "media/png_filters.h"
#include "support/file_error.h"
#include "support/file_names.h"

namespace media {

namespace {

using png::ColourType;

struct Header {
    uint32_t width = 0, height = 0;
    int depth = 0;
    ColourType colour = png::Grey;
    bool interlaced = false;
};

int channelsOf(ColourType colour) {
    switch (colour) {
        case png::Grey:
        case png::Palette: return 1;
        case png::GreyAlpha: return 2;
        case png::Rgb: return 3;
        case png::Rgba: return 4;
    }
    return 0;
}

bool allowedDepth(ColourType colour, int depth) {
    switch (colour) {
        case png::Grey: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
        case png::Palette: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
        case png::Rgb:
        case png::GreyAlpha:
        case png::Rgba: return depth == 8 || depth == 16;
    }
    return false;
}

// Where an interlacing pass's pixels lie: from (x, y), every dx-th column of every dy-th row.
struct Pass {
    uint32_t x, y, dx, dy;
};
constexpr Pass kAdam7[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                           {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
constexpr Pass kWhole[] = {{0, 0, 1, 1}};

uint32_t passExtent(uint32_t size, uint32_t start, uint32_t step) {
    return size > start ? (size - start + step - 1) / step : 0;
}

// The image data's zlib stream, inflated as its chunks arrive into no more
// than the bytes the header calls for.
class Inflater {
public:
    explicit Inflater(uint64_t expected) : expected_(expected) {
        if (inflateInit(&stream_) != Z_OK) throw std::bad_alloc();
    }
    ~Inflater() { inflateEnd(&stream_); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    // Returns what is wrong, or nullptr. Data after the zlib stream's end is left unread.
    const char* feed(std::span<const uint8_t> data) {
        stream_.next_in = const_cast<Bytef*>(data.data());
        stream_.avail_in = uInt(data.size());
        while (stream_.avail_in > 0 && !ended_) {
            // Grown as data comes, so that a header alone cannot take the memory.
            const size_t had = out_.size();
            if (had < expected_)
                out_.resize(size_t(std::min<uint64_t>(expected_, had + std::max<size_t>(had, 1 << 16))));
            stream_.next_out = out_.data() + had;
            stream_.avail_out = uInt(out_.size() - had);
            const int result = inflate(&stream_, Z_NO_FLUSH);
            out_.resize(out_.size() - stream_.avail_out);
            if (result == Z_STREAM_END) ended_ = true;
            // With room left, inflate always gets on; without, the data is too long.
            else if (result == Z_BUF_ERROR)
                return "more image data than the picture's size";
            else if (result != Z_OK)
                return "the image data's zlib stream is damaged";
        }
        return nullptr;
    }
    bool complete() const { return ended_ && out_.size() == expected_; }
    std::vector<uint8_t>& bytes() { return out_; }

private:
    z_stream stream_{};
    uint64_t expected_;
    std::vector<uint8_t> out_;
    bool ended_ = false;
};

class PngDecoder {
public:
    PngDecoder(std::span<const uint8_t> bytes, const std::string& name) : bytes_(bytes), name_(name) {}

    RgbPicture decode() {
        if (bytes_.size() < png::kSignature.size() ||
            !std::equal(png::kSignature.begin(), png::kSignature.end(), bytes_.begin()))
            throw support::FileError::format(name_ + ": not a PNG picture");
        at_ = png::kSignature.size();
        readChunks();
        std::vector<uint8_t>& raw = inflater_->bytes();
        const std::span<const Pass> passes = header_.interlaced ? std::span<const Pass>(kAdam7) : kWhole;
        RgbPicture picture;
        picture.resize(int(header_.width), int(header_.height));
        size_t offset = 0;
        for (const Pass& pass : passes) {
            const uint32_t width = passExtent(header_.width, pass.x, pass.dx);
            const uint32_t height = passExtent(header_.height, pass.y, pass.dy);
            if (width == 0 || height == 0) continue;
            const size_t rowBytes = this->rowBytes(width);
            for (uint32_t y = 0; y < height; ++y) {
                uint8_t* row = raw.data() + offset + 1;
                const uint8_t filter = row[-1];
                if (filter >= kPngFilterCount) fail("a row with an unknown filter, " + std::to_string(filter));
                unfilterPngRow(PngFilter(filter), row, y > 0 ? row - rowBytes - 1 : zeros(rowBytes), rowBytes,
                               bytesPerPixel());
                placeRow(picture, row, width, pass.x, pass.y + y * pass.dy, pass.dx);
                offset += rowBytes + 1;
            }
        }
        return picture;
    }

private:
    [[noreturn]] void fail(const std::string& why) const {
        throw support::FileError::format(name_ + ": damaged PNG picture: " + why);
    }

    void readChunks() {
        for (bool first = true;; first = false) {
            if (bytes_.size() - at_ < 8) fail("the file ends before its IEND chunk");
            const uint32_t length = png::bigEndian32(&bytes_[at_]);
            const std::string type(reinterpret_cast<const char*>(&bytes_[at_ + 4]), 4);
            if (length > png::kLongestChunk || bytes_.size() - at_ - 8 < uint64_t(length) + 4)
                fail("the file ends inside its " + printable(type) + " chunk");
            const std::span<const uint8_t> data = bytes_.subspan(at_ + 8, length);
            const bool critical = (type[0] & 0x20) == 0;
            const bool crcMatches = png::bigEndian32(&bytes_[at_ + 8 + length]) == png::chunkCrc(type, data);
            at_ += size_t(length) + 12;
            if (first && type != "IHDR") fail("the first chunk is not IHDR");
            if (!crcMatches) {
                if (critical) fail("the CRC of its " + printable(type) + " chunk is wrong");
                continue;  // a damaged ancillary chunk is left out, as it could be
            }
            if (type == "IEND") break;
            chunk(type, data, critical, first);
        }
        if (!inflater_ || !inflater_->complete())
            fail(inflater_ && !inflater_->bytes().empty() ? "the image data ends early" : "no image data");
    }

    void chunk(const std::string& type, std::span<const uint8_t> data, bool critical, bool first) {
        const bool afterData = inflater_ && !inIdat_;
        inIdat_ = type == "IDAT";
        if (type == "IHDR") {
            if (!first) fail("a second IHDR chunk");
            readHeader(data);
        } else if (type == "IDAT") {
            if (afterData) fail("its IDAT chunks are not one after another");
            if (header_.colour == png::Palette && palette_.empty()) fail("no palette before the image data");
            if (!inflater_) inflater_.emplace(expectedBytes());
            if (const char* problem = inflater_->feed(data)) fail(problem);
        } else if (type == "PLTE") {
            if (inflater_) fail("a palette after the image data");
            if (data.empty() || data.size() % 3 != 0 || data.size() > 3 * 256) fail("a palette of a wrong length");
            palette_.assign(data.begin(), data.end());
        } else if (type == "tRNS") {
            transparency_.assign(data.begin(), data.end());
        } else if (critical) {
            fail("an unknown critical chunk, " + printable(type));
        }
    }

    void readHeader(std::span<const uint8_t> data) {
        if (data.size() != png::kHeaderBytes) fail("an IHDR chunk of a wrong length");
        header_.width = png::bigEndian32(&data[0]);
        header_.height = png::bigEndian32(&data[4]);
        header_.depth = data[8];
        header_.colour = ColourType(data[9]);
        if (header_.width == 0 || header_.height == 0 || header_.width > png::kLongestChunk ||
            header_.height > png::kLongestChunk)
            fail("a size of " + std::to_string(header_.width) + "x" + std::to_string(header_.height));
        if (uint64_t(header_.width) * header_.height > kPngMostPixels)
            throw support::FileError::format(name_ + ": a picture of " + std::to_string(header_.width) + "x" +
                                             std::to_string(header_.height) + " pixels, more than this program reads");
        if (channelsOf(header_.colour) == 0 || !allowedDepth(header_.colour, header_.depth))
            fail("colour type " + std::to_string(data[9]) + " with " + std::to_string(data[8]) + "-bit samples");
        if (data[10] != 0 || data[11] != 0 || data[12] > 1) fail("an unknown compression, filter or interlacing");
        header_.interlaced = data[12] == 1;
    }

    int bitsPerPixel() const { return channelsOf(header_.colour) * header_.depth; }
    size_t bytesPerPixel() const { return size_t(std::max(1, bitsPerPixel() / 8)); }
    size_t rowBytes(uint32_t width) const { return size_t((uint64_t(width) * bitsPerPixel() + 7) / 8); }

    uint64_t expectedBytes() const {
        uint64_t total = 0;
        for (const Pass& pass : header_.interlaced ? std::span<const Pass>(kAdam7) : kWhole) {
            const uint32_t width = passExtent(header_.width, pass.x, pass.dx);
            const uint32_t height = passExtent(header_.height, pass.y, pass.dy);
            if (width > 0) total += uint64_t(height) * (rowBytes(width) + 1);
        }
        return total;
    }

    const uint8_t* zeros(size_t size) {
        if (zeros_.size() < size) zeros_.resize(size);
        return zeros_.data();
    }

    // Sample i of a row, scaled to 16 bits.
    uint32_t sample(const uint8_t* row, size_t i) const {
        switch (header_.depth) {
            case 16: return uint32_t(row[2 * i]) << 8 | row[2 * i + 1];
            case 8: return row[i] * 257u;
            default: return rawSample(row, i) * (65535u / ((1u << header_.depth) - 1));
        }
    }
    uint32_t rawSample(const uint8_t* row, size_t i) const {
        const size_t bit = i * size_t(header_.depth);
        return (row[bit / 8] >> (8 - header_.depth - bit % 8)) & ((1u << header_.depth) - 1);
    }
    // The sample as the tRNS chunk states it: in the header's bit depth.
    uint32_t keySample(const uint8_t* row, size_t i) const {
        return header_.depth == 16 ? sample(row, i) : header_.depth == 8 ? row[i] : rawSample(row, i);
    }
    bool matchesKey(const uint8_t* row, size_t first, int count) const {
        if (transparency_.size() != size_t(2 * count)) return false;
        for (int c = 0; c < count; ++c) {
            const uint32_t key = uint32_t(transparency_[2 * c]) << 8 | transparency_[2 * c + 1];
            if (keySample(row, first + size_t(c)) != key) return false;
        }
        return true;
    }

    // The unfiltered row's pixels to their places in the picture.
    void placeRow(RgbPicture& picture, const uint8_t* row, uint32_t width, uint32_t x0, uint32_t y, uint32_t dx) {
        uint8_t* out = picture.rgb.data() + (size_t(y) * header_.width + x0) * 3;
        if (header_.colour == png::Rgb && header_.depth == 8 && dx == 1 && transparency_.empty()) {
            std::memcpy(out, row, size_t(width) * 3);
            return;
        }
        const int channels = channelsOf(header_.colour);
        for (uint32_t x = 0; x < width; ++x, out += 3 * dx) {
            const size_t first = size_t(x) * size_t(channels);
            uint32_t rgb[3];
            uint32_t alpha = 65535;
            switch (header_.colour) {
                case png::Grey:
                case png::GreyAlpha:
                    rgb[0] = rgb[1] = rgb[2] = sample(row, first);
                    if (channels == 2)
                        alpha = sample(row, first + 1);
                    else if (matchesKey(row, first, 1))
                        alpha = 0;
                    break;
                case png::Rgb:
                case png::Rgba:
                    for (int c = 0; c < 3; ++c) rgb[c] = sample(row, first + size_t(c));
                    if (channels == 4)
                        alpha = sample(row, first + 3);
                    else if (matchesKey(row, first, 3))
                        alpha = 0;
                    break;
                case png::Palette: {
                    const uint32_t index = header_.depth == 8 ? row[x] : rawSample(row, x);
                    // An index past the palette's end is black, as the palette's unused entries.
                    for (int c = 0; c < 3; ++c)
                        rgb[c] = 3 * index + 2 < palette_.size() ? palette_[3 * index + size_t(c)] * 257u : 0;
                    if (index < transparency_.size()) alpha = transparency_[index] * 257u;
                    break;
                }
            }
            // Composed onto black, then rounded to 8 bits.
            for (int c = 0; c < 3; ++c) {
                const uint32_t composed = uint32_t((uint64_t(rgb[c]) * alpha + 32767) / 65535);
                out[c] = uint8_t((composed * 255 + 32767) / 65535);
            }
        }
    }

    static std::string printable(const std::string& type) {
        const bool letters = std::all_of(type.begin(), type.end(),
                                         [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
        return letters ? type : "unnamed";
    }

    std::span<const uint8_t> bytes_;
    const std::string& name_;
    size_t at_ = 0;
    Header header_;
    std::vector<uint8_t> palette_, transparency_, zeros_;
    std::optional<Inflater> inflater_;
    bool inIdat_ = false;
};

}  // namespace

RgbPicture decodePng(std::span<const uint8_t> bytes, const std::string& name) {
    return PngDecoder(bytes, name).decode();
}

RgbPicture readPng(const std::string& path) {
    std::FILE* file = support::openFile(path, "rb");
    if (file == nullptr) throw support::FileError::io(path + ": cannot open: " + std::strerror(errno));
    std::vector<uint8_t> bytes;
    uint8_t piece[1 << 16];
    size_t got;
    while ((got = std::fread(piece, 1, sizeof piece, file)) > 0) bytes.insert(bytes.end(), piece, piece + got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) throw support::FileError::io(path + ": cannot read");
    return decodePng(bytes, path);
}

}  // namespace media
