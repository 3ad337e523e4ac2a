// The decoder benchmark's frames of every kind, the same on every run:
//   bench_frames DIR
// writes into DIR
//   texture.ppm  a 640x480 fractal plasma texture, detail down to the pixel
//   dense.xqm    that texture as one intra frame at quality 75 (every block DCT)
//   still.xqm    the intra frame, then a predicted frame of still blocks only
//   mix.xqm      the intra frame, then a predicted frame that mixes every kind
//                of block: 61 % still, 19 % DCT blocks (the texture's own, as
//                the encoder codes them), 20 % copies, of which half split
//                into halves, quarters, strips and 2x2 cells, every
//                symmetry, a fifth of the vectors reading the new picture
// The predicted frames follow the intra frame, so bench_library times them
// as a player decodes them.

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "format/picture.h"
#include "stream/stream_writer.h"
#include "tests/decoder/synthetic_frames.h"
#include "tests/decoder/textured_frames.h"

namespace bench {
namespace {

constexpr int kQuality = 75;

void writeStream(const std::string& path, const std::vector<std::vector<uint8_t>>& frames) {
    std::ofstream out(path, std::ios::binary);
    stream::StreamInfo info;
    info.pixelType = 16;
    info.height = decoder::test::kSyntheticHeight;
    info.rate = {25, 1};
    stream::StreamWriter writer(out, path, info, uint32_t(frames.size()));
    for (const auto& frame : frames) writer.addFrame(frame);
    writer.finish();
    if (!out) throw std::runtime_error(path + ": cannot be written");
}

void writePpm(const std::string& path, const std::vector<uint8_t>& rgb) {
    std::ofstream ppm(path, std::ios::binary);
    ppm << "P6\n" << format::kPictureWidth << ' ' << decoder::test::kSyntheticHeight << "\n255\n";
    ppm.write(reinterpret_cast<const char*>(rgb.data()), std::streamsize(rgb.size()));
    if (!ppm) throw std::runtime_error(path + ": cannot be written");
}

int run(const std::string& dir) {
    const std::vector<uint8_t> texture = decoder::test::plasmaTexture(6);
    writePpm(dir + "/texture.ppm", texture);
    const std::vector<uint8_t> intra = decoder::test::denseIntraFrame(texture);
    writeStream(dir + "/dense.xqm", {intra});
    writeStream(dir + "/still.xqm", {intra, decoder::test::stillFrame(kQuality)});
    writeStream(dir + "/mix.xqm", {intra, decoder::test::everyKindFrame(36, texture)});
    return 0;
}

}  // namespace
}  // namespace bench

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_frames DIR\n");
        return 2;
    }
    try {
        return bench::run(argv[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_frames: %s\n", error.what());
        return 1;
    }
}
