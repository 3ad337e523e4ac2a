#pragma once
// Runs the built tools in a scratch folder of their own and writes the
// streams they work on.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "stream/stream_format.h"

namespace decoder::test {

struct CommandResult {
    int exitCode = -1;
    std::string out;  // standard output
    std::string err;  // standard error
};

class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name);
    ~ScratchFolder();

    const std::filesystem::path& path() const { return path_; }
    // Runs `program arguments` (a shell command line) inside the folder; a
    // relative program path is taken from the working folder of the test.
    CommandResult run(const std::string& program, const std::string& arguments) const;
    CommandResult vk6(const std::string& arguments) const { return run(VK6_PROGRAM, arguments); }
    std::string read(const std::string& name) const;
    void write(const std::string& name, const std::vector<uint8_t>& bytes) const;

    // A stream of sampleVideo frames; with a broken frame, frame 2 holds a code
    // the decoder abandons, at the block at (320, 8) after still blocks.
    void writeStream(const std::string& name, const stream::StreamInfo& info, int frameCount,
                     bool brokenFrame = false) const;
    void writeStream(const std::string& name, const stream::StreamInfo& info,
                     const std::vector<std::vector<uint8_t>>& frames) const;

private:
    std::filesystem::path path_;
};

}  // namespace decoder::test
