#include "bench/jpeg/reference_jpeg.h"

#include <cstdio>  // jpeglib.h needs FILE
#include <cstdlib>
#include <random>

#include <jpeglib.h>

namespace bench {
namespace {

// Zigzag scan position -> row-major index in an 8x8 block.
// clang-format off
constexpr int kZigzagToNatural[64] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
    12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
    35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
    58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};
// clang-format on

// Writes levels into one block in scan order.
class ScanWriter {
public:
    explicit ScanWriter(JCOEF* block) : block_(block) {}
    int position() const { return position_; }
    void skip(int zeros) { position_ += zeros; }
    void put(int level) { block_[kZigzagToNatural[position_++]] = JCOEF(level); }

private:
    JCOEF* block_;
    int position_ = 0;
};

// The level mix of the decoder benchmark's intra frame: a DC level, then
// `runs` groups of one or two levels, each group one of five kinds picked
// evenly, until the scan passes position 40.
void fillComponent(JCOEF* block, std::mt19937& random, int runs) {
    const auto nibbleLevel = [&] {  // -8..-1, 1..8
        const int nibble = int(random() % 16);
        return nibble < 8 ? nibble + 1 : nibble - 16;
    };
    const auto smallLevel = [&] {
        constexpr int levels[4] = {+1, +2, -2, -1};
        return levels[random() % 4];
    };
    ScanWriter scan(block);
    scan.put(int(random() % 200) - 100);
    for (int i = 0; i < runs && scan.position() < 40; ++i) {
        switch (random() % 5) {
            case 0: {  // one to three zeros, then a unit level
                const int choice = int(random() % 6);
                scan.skip(choice / 2 + 1);
                scan.put(choice & 1 ? -1 : +1);
                break;
            }
            case 1:
                scan.put(nibbleLevel());
                scan.put(nibbleLevel());
                break;
            case 2:
                scan.put(smallLevel());
                scan.put(smallLevel());
                break;
            case 3:  // one to four zeros, then two levels
                scan.skip(int(random() % 4) + 1);
                scan.put(nibbleLevel());
                scan.put(nibbleLevel());
                break;
            default: scan.put(int(random() % 64) - 32); break;
        }
    }
}

}  // namespace

// Errors leave through libjpeg's default handler, which reports and exits: the
// picture is made here, so a failure is a fault of this program.
std::vector<uint8_t> makeReferenceJpeg(int width, int height, int quality, uint32_t seed) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);

    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);  // YCbCr, standard Huffman tables
    jpeg_set_quality(&cinfo, quality, TRUE);
    for (int c = 0; c < 3; ++c) cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;

    const JDIMENSION blocksWide = JDIMENSION(width / 8), blocksHigh = JDIMENSION(height / 8);
    jvirt_barray_ptr planes[3];
    for (auto& plane : planes)
        plane = cinfo.mem->request_virt_barray(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE, TRUE, blocksWide,
                                               blocksHigh, 1);
    jpeg_write_coefficients(&cinfo, planes);

    // Block by block, Y then Cb then Cr, as the intra frame orders them.
    std::mt19937 random(seed);
    for (JDIMENSION row = 0; row < blocksHigh; ++row) {
        JBLOCKROW rows[3];
        for (int c = 0; c < 3; ++c)
            rows[c] = cinfo.mem->access_virt_barray(reinterpret_cast<j_common_ptr>(&cinfo), planes[c], row, 1, TRUE)[0];
        for (JDIMENSION column = 0; column < blocksWide; ++column) {
            fillComponent(rows[0][column], random, 6 + int(random() % 8));
            fillComponent(rows[1][column], random, int(random() % 3));
            fillComponent(rows[2][column], random, int(random() % 3));
        }
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);

    std::vector<uint8_t> jpeg(buffer, buffer + size);
    std::free(buffer);
    return jpeg;
}

double nonzeroCoefficientsPerBlock(const std::vector<uint8_t>& jpeg) {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&cinfo, TRUE);
    jvirt_barray_ptr* planes = jpeg_read_coefficients(&cinfo);

    long nonzero = 0;
    for (int c = 0; c < cinfo.num_components; ++c) {
        const jpeg_component_info& component = cinfo.comp_info[c];
        for (JDIMENSION row = 0; row < component.height_in_blocks; ++row) {
            const JBLOCKROW blocks =
                cinfo.mem->access_virt_barray(reinterpret_cast<j_common_ptr>(&cinfo), planes[c], row, 1, FALSE)[0];
            for (JDIMENSION column = 0; column < component.width_in_blocks; ++column)
                for (JCOEF value : blocks[column]) nonzero += value != 0;
        }
    }
    const double blockPositions = double(cinfo.comp_info[0].width_in_blocks) * cinfo.comp_info[0].height_in_blocks;
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return double(nonzero) / blockPositions;
}

}  // namespace bench
