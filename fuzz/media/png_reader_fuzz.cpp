// Any bytes as a PNG file: the reader gives a picture or refuses them with a
// support::FileError, never reading outside the buffer. An accepted picture is
// written and read back unchanged.
//
// Random bytes rarely get past the CRCs and the zlib stream's checksum, so the
// first byte chooses how the rest is taken: with its low bit clear, as a file
// whose chunk CRCs are made right before it is read; with it set, as a
// header's 13 bytes and then image data, which this target compresses into a
// file with a full palette and a tRNS chunk.

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "media/png_chunks.h"
#include "media/png_file.h"
#include "support/file_error.h"

namespace {

namespace png = media::png;

// Each whole chunk's CRC computed anew.
std::vector<uint8_t> withRightCrcs(std::span<const uint8_t> bytes) {
    std::vector<uint8_t> file(bytes.begin(), bytes.end());
    for (size_t at = png::kSignature.size(); file.size() >= at + 12;) {
        const uint32_t length = png::bigEndian32(&file[at]);
        if (length > file.size() - at - 12) break;
        const std::string_view type(reinterpret_cast<const char*>(&file[at + 4]), 4);
        const uint32_t crc = png::chunkCrc(type, std::span(file).subspan(at + 8, length));
        for (int i = 0; i < 4; ++i) file[at + 8 + length + size_t(i)] = uint8_t(crc >> (24 - 8 * i));
        at += size_t(length) + 12;
    }
    return file;
}

std::vector<uint8_t> madeFile(std::span<const uint8_t> bytes) {
    if (bytes.size() < png::kHeaderBytes) return {};
    std::vector<uint8_t> file(png::kSignature.begin(), png::kSignature.end());
    std::vector<uint8_t> header(bytes.begin(), bytes.begin() + png::kHeaderBytes);
    // Sizes up to 255 x 255, so that the data can fill them.
    header[0] = header[1] = header[2] = header[4] = header[5] = header[6] = 0;
    png::appendChunk(file, "IHDR", header);
    std::vector<uint8_t> palette(3 * 256);
    for (size_t i = 0; i < palette.size(); ++i) palette[i] = uint8_t(i * 7);
    png::appendChunk(file, "PLTE", palette);
    const std::span<const uint8_t> data = bytes.subspan(png::kHeaderBytes);
    png::appendChunk(file, "tRNS", data.first(std::min<size_t>(data.size(), 6)));
    std::vector<uint8_t> stream(compressBound(uLong(data.size())));
    uLongf size = uLongf(stream.size());
    if (compress(stream.data(), &size, data.data(), uLong(data.size())) != Z_OK) std::abort();
    png::appendChunk(file, "IDAT", std::span(stream).first(size));
    png::appendChunk(file, "IEND", {});
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::span<const uint8_t> rest(data + 1, size - 1);
    const std::vector<uint8_t> file = data[0] & 1 ? madeFile(rest) : withRightCrcs(rest);
    media::RgbPicture picture;
    try {
        picture = media::decodePng(file, "input");
    } catch (const support::FileError& error) {
        if (error.kind() != support::FileError::Kind::Format) std::abort();
        return 0;
    }
    if (picture.rgb.size() != size_t(3) * size_t(picture.width) * size_t(picture.height)) std::abort();
    const std::vector<uint8_t> again = media::encodePng(picture.width, picture.height, 3, picture.rgb.data());
    if (media::decodePng(again, "again").rgb != picture.rgb) std::abort();
    return 0;
}
