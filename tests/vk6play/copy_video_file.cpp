// Writes a video whose frames use every kind of copy (copy_video.h), for the
// players' tests: its copies read the new picture's undecoded part, which only
// decoding into two buffers by turns, both all zero at first, fills as vk6
// decode does. By default 5 frames, 5-5-5 and 40 rows high.
//   vk6_copy_video_file OUT.xqm [TYPE HEIGHT FRAMES SEED]

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>

#include "stream/stream_writer.h"
#include "tests/decoder/copy_video.h"

int main(int argc, char** argv) {
    if (argc != 2 && argc != 6) {
        std::fprintf(stderr, "usage: vk6_copy_video_file OUT.xqm [TYPE HEIGHT FRAMES SEED]\n");
        return 2;
    }
    stream::StreamInfo info{15, 40, {15, 1}, 0};
    int frameCount = 5;
    unsigned seed = 1;
    if (argc == 6) {
        info.pixelType = uint16_t(std::atoi(argv[2]));
        info.height = uint16_t(std::atoi(argv[3]));
        frameCount = std::atoi(argv[4]);
        seed = unsigned(std::atoi(argv[5]));
    }
    try {
        const auto frames = decoder::test::copyVideo(info.pixelType, info.height, frameCount, seed).frames;
        std::ofstream file(argv[1], std::ios::binary);
        stream::StreamWriter writer(file, argv[1], info, uint32_t(frames.size()));
        for (const auto& frame : frames) writer.addFrame(frame);
        writer.finish();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vk6_copy_video_file: %s\n", error.what());
        return 3;
    }
    return 0;
}
