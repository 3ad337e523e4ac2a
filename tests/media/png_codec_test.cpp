// The PNG reader and writer against libpng: libpng writes every colour type,
// bit depth and interlacing for the reader, and the writer's files must be
// libpng's bytes.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "media/png_chunks.h"
#include "media/png_file.h"
#include "support/file_error.h"

namespace media {
namespace {

using ::testing::HasSubstr;

// libpng's writes into memory.
void appendBytes(png_structp png, png_bytep data, size_t size) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

struct LibpngImage {
    LibpngImage(int width, int height, int depth, int colour, bool interlaced = false)
        : width(width), height(height), depth(depth), colour(colour), interlaced(interlaced) {}
    int width, height, depth, colour;
    bool interlaced;
    std::vector<std::vector<uint8_t>> rows;  // packed as the file holds them
    std::vector<png_color> palette;
    std::vector<uint8_t> alphas;  // palette transparency
    std::optional<png_color_16> key;
    bool srgb = false;
};

std::vector<uint8_t> writeWithLibpng(LibpngImage& image) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        ADD_FAILURE() << "libpng could not write the picture";
        return {};
    }
    png_set_write_fn(png, &out, appendBytes, nullptr);
    png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), image.depth, image.colour,
                 image.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!image.palette.empty()) png_set_PLTE(png, info, image.palette.data(), int(image.palette.size()));
    if (!image.alphas.empty()) png_set_tRNS(png, info, image.alphas.data(), int(image.alphas.size()), nullptr);
    if (image.key) png_set_tRNS(png, info, nullptr, 0, &*image.key);
    if (image.srgb) png_set_sRGB(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
    std::vector<png_bytep> rows;
    for (auto& row : image.rows) rows.push_back(row.data());
    png_set_rows(png, info, rows.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

int channelsOf(int colour) { return colour == 2 ? 3 : colour == 4 ? 2 : colour == 6 ? 4 : 1; }

// Sample c of pixel (x, y): a pattern that reaches both ends of the range.
uint32_t sampleAt(int x, int y, int c, int depth) {
    const uint32_t most = (1u << depth) - 1;
    const uint32_t value = uint32_t(x * 37 + y * 101 + c * 59) * (depth == 16 ? 613 : 1);
    return (x + y) % 5 == 0 ? most : value % (most + 1);
}

// A picture of every colour type and bit depth, and what the reader must make of it.
struct Case {
    int colour, depth;
    bool interlaced, transparency;
};

class ReadEveryKind : public ::testing::TestWithParam<Case> {};

TEST_P(ReadEveryKind, GivesTheSamplesAsRgbComposedOntoBlack) {
    const Case kind = GetParam();
    const int width = 13, height = 9;  // odd sizes leave Adam7's passes ragged
    LibpngImage image(width, height, kind.depth, kind.colour, kind.interlaced);
    const int channels = channelsOf(kind.colour);
    const uint32_t most = (1u << kind.depth) - 1;
    if (kind.colour == PNG_COLOR_TYPE_PALETTE) {
        for (uint32_t i = 0; i <= most; ++i)
            image.palette.push_back({png_byte(i * 40), png_byte(255 - i * 3), png_byte(i * 7 + 1)});
        if (kind.transparency) {
            image.alphas = {0, 128, 255, 64};
            image.alphas.resize(std::min<size_t>(4, most + 1));  // no more than the palette's entries
        }
    } else if (kind.transparency) {
        const auto key = png_uint_16(sampleAt(1, 0, 0, kind.depth));
        image.key = png_color_16{0, key, key, key, key};
        if (kind.colour == PNG_COLOR_TYPE_RGB) {
            image.key->green = png_uint_16(sampleAt(1, 0, 1, kind.depth));
            image.key->blue = png_uint_16(sampleAt(1, 0, 2, kind.depth));
        }
    }
    std::vector<uint8_t> expected;
    for (int y = 0; y < height; ++y) {
        std::vector<uint8_t> row((size_t(width) * channels * kind.depth + 7) / 8);
        std::vector<uint32_t> samples;
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < channels; ++c) samples.push_back(sampleAt(x, y, c, kind.depth));
        }
        for (size_t i = 0; i < samples.size(); ++i) {
            if (kind.depth == 16) {
                row[2 * i] = uint8_t(samples[i] >> 8);
                row[2 * i + 1] = uint8_t(samples[i]);
            } else {
                const size_t bit = i * size_t(kind.depth);
                row[bit / 8] |= uint8_t(samples[i] << (8 - kind.depth - bit % 8));
            }
        }
        image.rows.push_back(row);
        for (int x = 0; x < width; ++x) {
            const uint32_t* s = &samples[size_t(x) * channels];
            double rgb[3], alpha = 1;
            if (kind.colour == PNG_COLOR_TYPE_PALETTE) {
                const png_color entry = image.palette[s[0]];
                rgb[0] = entry.red / 255.0, rgb[1] = entry.green / 255.0, rgb[2] = entry.blue / 255.0;
                if (s[0] < image.alphas.size()) alpha = image.alphas[s[0]] / 255.0;
            } else {
                for (int c = 0; c < 3; ++c) rgb[c] = s[channels >= 3 ? c : 0] / double(most);
                if (channels == 2 || channels == 4) alpha = s[channels - 1] / double(most);
                const bool keyed = image.key && s[0] == (channels == 1 ? image.key->gray : image.key->red) &&
                                   (channels == 1 || (s[1] == image.key->green && s[2] == image.key->blue));
                if (keyed) alpha = 0;
            }
            for (double value : rgb) expected.push_back(uint8_t(std::lround(value * alpha * 255)));
        }
    }
    const RgbPicture picture = decodePng(writeWithLibpng(image), "picture.png");
    ASSERT_EQ(picture.width, width);
    ASSERT_EQ(picture.height, height);
    // Within one step where two roundings (to 16 bits, then to 8) meet a half.
    for (size_t i = 0; i < expected.size(); ++i)
        ASSERT_NEAR(picture.rgb[i], expected[i], kind.depth == 16 ? 1 : 0) << "byte " << i;
}

std::vector<Case> everyKind() {
    std::vector<Case> cases;
    const std::pair<int, std::vector<int>> kinds[] = {{PNG_COLOR_TYPE_GRAY, {1, 2, 4, 8, 16}},
                                                      {PNG_COLOR_TYPE_RGB, {8, 16}},
                                                      {PNG_COLOR_TYPE_PALETTE, {1, 2, 4, 8}},
                                                      {PNG_COLOR_TYPE_GRAY_ALPHA, {8, 16}},
                                                      {PNG_COLOR_TYPE_RGB_ALPHA, {8, 16}}};
    for (const auto& [colour, depths] : kinds) {
        for (int depth : depths) {
            const bool keyed = colour != PNG_COLOR_TYPE_GRAY_ALPHA && colour != PNG_COLOR_TYPE_RGB_ALPHA;
            for (bool interlaced : {false, true}) {
                cases.push_back({colour, depth, interlaced, false});
                if (keyed) cases.push_back({colour, depth, interlaced, true});
            }
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Png, ReadEveryKind, ::testing::ValuesIn(everyKind()), [](const auto& info) {
    const Case& c = info.param;
    return "type" + std::to_string(c.colour) + "_" + std::to_string(c.depth) + "bit" + (c.interlaced ? "_adam7" : "") +
           (c.transparency ? "_trns" : "");
});

TEST(PngWriter, MakesLibpngsBytesAndReadsThemBack) {
    // Below and above the size where the zlib window shrinks, plain and with alpha.
    const struct {
        int width, height, channels;
        PngColourSpace space;
    } sizes[] = {{1, 1, 3, PngColourSpace::Srgb},        {5, 3, 4, PngColourSpace::Unstated},
                 {40, 30, 3, PngColourSpace::Srgb},      {90, 61, 3, PngColourSpace::Srgb},
                 {200, 90, 4, PngColourSpace::Unstated}, {640, 64, 3, PngColourSpace::Srgb}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
        LibpngImage image(size.width, size.height, 8, size.channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB);
        image.srgb = size.space == PngColourSpace::Srgb;
        std::vector<uint8_t> pixels;
        for (int y = 0; y < size.height; ++y) {
            std::vector<uint8_t> row;
            for (int x = 0; x < size.width * size.channels; ++x)
                row.push_back(uint8_t(x * x / 7 + y * 3 + ((x * 31 + y * 17) % 11 == 0 ? 90 : 0)));
            image.rows.push_back(row);
            pixels.insert(pixels.end(), row.begin(), row.end());
        }
        const std::vector<uint8_t> ours = encodePng(size.width, size.height, size.channels, pixels.data(), size.space);
        EXPECT_EQ(ours, writeWithLibpng(image));
        if (size.channels == 3) {
            EXPECT_EQ(decodePng(ours, "ours.png").rgb, pixels);
        }
    }
}

// A small good file, and the same damaged in each way a reader must notice.
TEST(PngReader, RefusesDamagedFilesAndSaysWhy) {
    const uint8_t pixels[3 * 6] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    const std::vector<uint8_t> good = encodePng(3, 2, 3, pixels, PngColourSpace::Srgb);
    ASSERT_EQ(decodePng(good, "good.png").rgb, std::vector<uint8_t>(pixels, pixels + 18));
    const size_t ihdr = 8, srgb = ihdr + 25, idat = srgb + 13;
    // One byte changed, and where `chunk` says, that chunk's CRC made to fit again.
    auto changed = [&](size_t at, uint8_t value, std::optional<size_t> chunk = {}) {
        std::vector<uint8_t> bytes = good;
        bytes[at] = value;
        if (chunk) {
            const uint8_t* start = &bytes[*chunk];
            const uInt length = uInt(start[3]);
            const uint32_t crc = uint32_t(crc32(0, start + 4, 4 + length));
            for (int i = 0; i < 4; ++i) bytes[*chunk + 8 + length + size_t(i)] = uint8_t(crc >> (24 - 8 * i));
        }
        return bytes;
    };
    auto cut = [&](size_t size) { return std::vector<uint8_t>(good.begin(), good.begin() + long(size)); };
    const struct {
        std::vector<uint8_t> bytes;
        const char* problem;
    } damaged[] = {
        {{}, "not a PNG picture"},
        {changed(1, 'p'), "not a PNG picture"},
        {cut(8), "ends before its IEND chunk"},
        {cut(idat + 10), "ends inside its IDAT chunk"},
        {cut(good.size() - 12), "ends before its IEND chunk"},
        {changed(ihdr + 8 + 3, 7), "CRC of its IHDR chunk is wrong"},  // width
        {changed(idat + 8 + 4, 0), "CRC of its IDAT chunk is wrong"},
        {changed(ihdr + 4, 'J'), "the first chunk is not IHDR"},
        {changed(srgb + 4, 'S', srgb), "unknown critical chunk, SRGB"},
    };
    for (const auto& [bytes, problem] : damaged) {
        try {
            decodePng(bytes, "bad.png");
            ADD_FAILURE() << "read a file that " << problem;
        } catch (const support::FileError& error) {
            EXPECT_EQ(error.kind(), support::FileError::Kind::Format);
            EXPECT_THAT(error.what(), HasSubstr(problem));
            EXPECT_THAT(error.what(), HasSubstr("bad.png: "));
        }
    }
    // A damaged ancillary chunk is only left out.
    std::vector<uint8_t> ancillary = changed(srgb + 8, 1);
    EXPECT_EQ(decodePng(ancillary, "good.png").rgb, std::vector<uint8_t>(pixels, pixels + 18));
}

// Image data that does not fit the header: short, long, an unknown filter.
TEST(PngReader, RefusesImageDataOfTheWrongSize) {
    auto withRows = [](std::vector<uint8_t> rows, uint32_t width, uint32_t height) {
        LibpngImage image(int(width), int(height), 8, PNG_COLOR_TYPE_GRAY);
        image.rows.assign(height, std::vector<uint8_t>(width, 7));
        std::vector<uint8_t> file = writeWithLibpng(image);
        // The IDAT chunk replaced by one holding `rows` (filter bytes included).
        const size_t idat = 8 + 25;
        std::vector<uint8_t> stream(compressBound(uLong(rows.size())));
        uLongf size = uLongf(stream.size());
        compress(stream.data(), &size, rows.data(), uLong(rows.size()));
        stream.resize(size);
        std::vector<uint8_t> out(file.begin(), file.begin() + long(idat));
        png::appendChunk(out, "IDAT", stream);
        out.insert(out.end(), file.end() - 12, file.end());
        return out;
    };
    EXPECT_EQ(decodePng(withRows({0, 1, 2, 4, 3, 4}, 2, 2), "ok.png").rgb,
              (std::vector<uint8_t>{1, 1, 1, 2, 2, 2, 4, 4, 4, 8, 8, 8}));  // the second row through Paeth
    const std::pair<std::vector<uint8_t>, const char*> damaged[] = {
        {{0, 1, 2, 0, 3}, "the image data ends early"},
        {{0, 1, 2, 0, 3, 4, 5}, "more image data than the picture's size"},
        {{0, 1, 2, 5, 3, 4}, "a row with an unknown filter, 5"},
    };
    for (const auto& [rows, problem] : damaged) {
        try {
            decodePng(withRows(rows, 2, 2), "bad.png");
            ADD_FAILURE() << "read a file whose " << problem;
        } catch (const support::FileError& error) {
            EXPECT_THAT(error.what(), HasSubstr(problem));
        }
    }
}

}  // namespace
}  // namespace media
