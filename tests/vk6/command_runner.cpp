#include "tests/vk6/command_runner.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "stream/stream_writer.h"
#include "tests/decoder/frame_builder.h"
#include "tests/decoder/sample_video.h"
#include "tests/scratch_path.h"

namespace decoder::test {

ScratchFolder::ScratchFolder(const std::string& name) : path_(setup::test::scratchPath("orv-" + name)) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() { std::filesystem::remove_all(path_); }

CommandResult ScratchFolder::run(const std::string& program, const std::string& arguments) const {
    const std::string line = "cd '" + path_.string() + "' && '" + std::filesystem::absolute(program).string() + "' " +
                             arguments + " >.stdout 2>.stderr </dev/null";
    const int status = std::system(line.c_str());
    CommandResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = read(".stdout");
    result.err = read(".stderr");
    return result;
}

std::string ScratchFolder::read(const std::string& name) const {
    std::ifstream file(path_ / name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void ScratchFolder::write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::ofstream(path_ / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void ScratchFolder::writeStream(const std::string& name, const stream::StreamInfo& info, int frameCount,
                                bool brokenFrame) const {
    auto frames = sampleVideo(info.height, frameCount, info.height + info.pixelType);
    if (brokenFrame) {
        FrameBuilder broken;
        for (int block = 0; block < 120; ++block) broken.control.code("110");
        broken.control.code("1111");
        frames.at(2) = broken.build(50);
    }
    writeStream(name, info, frames);
}

void ScratchFolder::writeStream(const std::string& name, const stream::StreamInfo& info,
                                const std::vector<std::vector<uint8_t>>& frames) const {
    std::ofstream file(path_ / name, std::ios::binary);
    stream::StreamWriter writer(file, name, info, uint32_t(frames.size()));
    for (const auto& frame : frames) writer.addFrame(frame);
    writer.finish();
}

}  // namespace decoder::test
