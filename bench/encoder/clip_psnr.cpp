// bench_clip_psnr SOURCE.rgb PICTURES.raw: the PSNR of a clip's pictures as
// `vk6 decode --format raw` writes them (rgb565le) against the raw 8-bit RGB
// frames they were encoded from, measured as the encoder benchmark measures
// every codec. For scripts that drive vk6; prints the figure in dB.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "bench/encoder/picture_error.h"

namespace {

std::vector<uint8_t> readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_clip_psnr SOURCE.rgb PICTURES.raw\n");
        return 2;
    }
    const std::vector<uint8_t> source = readFile(argv[1]), raw = readFile(argv[2]);
    if (source.empty() || source.size() % 3 != 0 || raw.size() * 3 != source.size() * 2) {
        std::fprintf(stderr, "bench_clip_psnr: %s and %s do not hold the same number of pixels\n", argv[1], argv[2]);
        return 1;
    }
    std::vector<uint16_t> pixels(raw.size() / 2);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint16_t(raw[2 * i] | raw[2 * i + 1] << 8);
    bench::ErrorSum error;
    error.addScreenPictures(source, pixels);
    std::printf("%.2f\n", error.psnr());
    return 0;
}
