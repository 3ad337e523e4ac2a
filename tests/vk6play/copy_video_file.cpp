// Writes a video whose frames use every kind of copy (copy_video.h), 5-5-5 and
// 40 rows high, for the player's test: its copies read the new picture's
// undecoded part, which only decoding into two buffers by turns, both all zero
// at first, fills as vk6 decode does.
//   vk6_copy_video_file OUT.xqm

#include <cstdio>
#include <exception>
#include <fstream>

#include "copy_video.h"
#include "stream/stream_writer.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vk6_copy_video_file OUT.xqm\n");
        return 2;
    }
    const xqm::StreamInfo info{15, 40, {15, 1}, 0};
    try {
        const auto frames = vk6::test::copyVideo(info.pixelType, info.height, 5, 1).frames;
        std::ofstream file(argv[1], std::ios::binary);
        xqm::StreamWriter writer(file, argv[1], info, uint32_t(frames.size()));
        for (const auto& frame : frames) writer.addFrame(frame);
        writer.finish();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vk6_copy_video_file: %s\n", error.what());
        return 3;
    }
    return 0;
}
