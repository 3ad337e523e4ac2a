// Writing PNG files as libpng does by default: each row's filter chosen by the
// smallest sum of its bytes taken as signed, zlib at its default level with
// the filtered strategy and a window no larger than the data, the image data
// in IDAT chunks of 8192 bytes.

#include <zlib.h>

#include <limits>
#include <new>

#include "media/png_chunks.h"
#include "media/png_file.h"
#include "media/png_filters.h"
#include "support/file_error.h"

namespace media {

namespace {

constexpr size_t kIdatBytes = 8192;
// Data this short gets a smaller zlib window (and says so in the stream's header).
constexpr size_t kSmallData = 16384;

size_t signedSum(const uint8_t* bytes, size_t size) {
    size_t sum = 0;
    for (size_t i = 0; i < size; ++i) sum += bytes[i] < 128 ? bytes[i] : 256 - bytes[i];
    return sum;
}

// Every row behind its filter's number.
std::vector<uint8_t> filterRows(int width, int height, int channels, const uint8_t* pixels) {
    const size_t rowBytes = size_t(width) * size_t(channels);
    std::vector<uint8_t> out((rowBytes + 1) * size_t(height));
    const std::vector<uint8_t> zeros(rowBytes);
    std::vector<uint8_t> trial(rowBytes);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = pixels + size_t(y) * rowBytes;
        const uint8_t* above = y > 0 ? row - rowBytes : zeros.data();
        uint8_t* best = &out[size_t(y) * (rowBytes + 1)];
        best[0] = uint8_t(PngFilter::None);
        std::copy(row, row + rowBytes, best + 1);
        size_t least = signedSum(row, rowBytes);
        for (int f = 1; f < kPngFilterCount; ++f) {
            filterPngRow(PngFilter(f), row, above, trial.data(), rowBytes, size_t(channels));
            const size_t sum = signedSum(trial.data(), rowBytes);
            if (sum >= least) continue;  // ties keep the earlier filter
            least = sum;
            best[0] = uint8_t(f);
            std::copy(trial.begin(), trial.end(), best + 1);
        }
    }
    return out;
}

// The window's size, 2^bits, the smallest that deflate (which wants 262 bytes
// beyond the data) sees the whole data through.
int windowBits(size_t dataSize) {
    int bits = 15;
    if (dataSize <= kSmallData)
        while (dataSize + 262 <= (size_t(1) << (bits - 1))) --bits;
    return bits;
}

// A zlib header saying a smaller window, the smallest that holds the data:
// zlib makes at least a 512-byte one, and inflate needs no more than the data.
void shrinkStatedWindow(std::vector<uint8_t>& stream, size_t dataSize) {
    if (dataSize > kSmallData || (stream[0] & 0x0f) != 8 || (stream[0] & 0xf0) > 0x70) return;
    unsigned info = stream[0] >> 4;
    unsigned half = 1u << (info + 7);
    if (dataSize > half) return;
    do {
        half >>= 1;
        --info;
    } while (info > 0 && dataSize <= half);
    stream[0] = uint8_t((stream[0] & 0x0f) | info << 4);
    const unsigned flags = stream[1] & 0xe0;
    stream[1] = uint8_t(flags + 0x1f - ((unsigned(stream[0]) << 8) + flags) % 0x1f);
}

std::vector<uint8_t> compress(const std::vector<uint8_t>& data) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, windowBits(data.size()), 8, Z_FILTERED) != Z_OK)
        throw std::bad_alloc();
    std::vector<uint8_t> out(deflateBound(&stream, uLong(data.size())));
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.avail_in = uInt(data.size());
    stream.next_out = out.data();
    stream.avail_out = uInt(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END) throw std::bad_alloc();
    shrinkStatedWindow(out, data.size());
    return out;
}

}  // namespace

std::vector<uint8_t> encodePng(int width, int height, int channels, const uint8_t* pixels, PngColourSpace space) {
    const std::vector<uint8_t> rows = filterRows(width, height, channels, pixels);
    if (rows.size() > std::numeric_limits<uInt>::max() / 2) throw std::bad_alloc();
    const std::vector<uint8_t> stream = compress(rows);

    std::vector<uint8_t> out(png::kSignature.begin(), png::kSignature.end());
    const uint8_t header[png::kHeaderBytes] = {uint8_t(width >> 24),
                                               uint8_t(width >> 16),
                                               uint8_t(width >> 8),
                                               uint8_t(width),
                                               uint8_t(height >> 24),
                                               uint8_t(height >> 16),
                                               uint8_t(height >> 8),
                                               uint8_t(height),
                                               8,
                                               uint8_t(channels == 4 ? png::Rgba : png::Rgb),
                                               0,
                                               0,
                                               0};
    png::appendChunk(out, "IHDR", header);
    const uint8_t perceptual = 0;
    if (space == PngColourSpace::Srgb) png::appendChunk(out, "sRGB", {&perceptual, 1});
    for (size_t at = 0; at < stream.size(); at += kIdatBytes)
        png::appendChunk(out, "IDAT", std::span(stream).subspan(at, std::min(kIdatBytes, stream.size() - at)));
    png::appendChunk(out, "IEND", {});
    return out;
}

void writePng(std::FILE* out, const std::string& name, int width, int height, int channels, const uint8_t* pixels,
              PngColourSpace space) {
    const std::vector<uint8_t> bytes = encodePng(width, height, channels, pixels, space);
    if (std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size())
        throw support::FileError::io(name + ": cannot write the PNG picture");
}

}  // namespace media
