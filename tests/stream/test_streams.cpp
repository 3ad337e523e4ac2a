#include "tests/stream/test_streams.h"

#include <fstream>
#include <sstream>

#include "stream/stream_writer.h"
#include "tests/decoder/frame_builder.h"

namespace stream::test {

std::vector<uint8_t> intraFrame() {
    decoder::test::FrameBuilder frame;
    for (int block = 0; block < 80; ++block) {
        frame.control.code("110");
        frame.dcBlock(block % 7, 3, -3);
    }
    return frame.build(-50);
}

std::vector<uint8_t> predictedFrame() {
    decoder::test::FrameBuilder frame;
    for (int block = 0; block < 80; ++block) frame.control.code("110");
    return frame.build(50);
}

std::vector<uint8_t> writeStream(const StreamInfo& info, const std::vector<std::vector<uint8_t>>& frames,
                                 uint32_t reservedFrames) {
    std::stringstream out;
    StreamWriter writer(out, "memory", info, reservedFrames);
    for (const auto& frame : frames) writer.addFrame(frame);
    writer.finish();
    const std::string bytes = out.str();
    return {bytes.begin(), bytes.end()};
}

std::vector<uint8_t> threeFrameStream() {
    return writeStream({16, 8, {15, 1}, 0}, {intraFrame(), predictedFrame(), predictedFrame()}, 3);
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void put16(std::vector<uint8_t>& bytes, size_t at, uint16_t value) {
    for (int i = 0; i < 2; ++i) bytes[at + i] = uint8_t(value >> (8 * i));
}

void put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(value >> (8 * i));
}

void put64(std::vector<uint8_t>& bytes, size_t at, uint64_t value) {
    for (int i = 0; i < 8; ++i) bytes[at + i] = uint8_t(value >> (8 * i));
}

}  // namespace stream::test
