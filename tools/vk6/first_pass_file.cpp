#include "tools/vk6/first_pass_file.h"

#include <charconv>
#include <fstream>
#include <sstream>

#include "media/file_handle.h"
#include "support/file_error.h"
#include "support/file_names.h"

namespace vk6 {

namespace {

constexpr std::string_view kMagic = "vk6-first-pass", kIntra = "intra", kPredicted = "predicted";
constexpr int kVersion = 1;
constexpr uint64_t kMostFrames = 100'000'000;

[[noreturn]] void failAt(const std::string& path, int line, const std::string& problem) {
    throw support::FileError::format(path + ": line " + std::to_string(line) + ": " + problem);
}

// The fields of a line, split at single spaces; reading them in turn.
class Fields {
public:
    Fields(const std::string& path, int line, const std::string& text) : path_(path), line_(line) {
        std::string_view rest = text;
        for (size_t space; (space = rest.find(' ')) != std::string_view::npos; rest.remove_prefix(space + 1))
            fields_.push_back(rest.substr(0, space));
        fields_.push_back(rest);
    }

    void word(std::string_view expected) {
        if (next() != expected) fail("'" + std::string(expected) + "' expected");
    }
    std::string_view word() { return next(); }
    uint64_t number(uint64_t most) {
        const std::string_view text = next();
        uint64_t value = 0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size() || value > most)
            fail("'" + std::string(text) + "' is not a number up to " + std::to_string(most));
        return value;
    }
    void end() {
        if (taken_ != fields_.size()) fail("more fields than the line has room for");
    }
    [[noreturn]] void fail(const std::string& problem) const { failAt(path_, line_, problem); }

private:
    std::string_view next() {
        if (taken_ == fields_.size()) fail("the line ends early");
        return fields_[taken_++];
    }

    const std::string& path_;
    int line_;
    std::vector<std::string_view> fields_;
    size_t taken_ = 0;
};

}  // namespace

void writeFirstPass(const std::string& path, const FirstPassStats& stats) {
    std::ostringstream file;
    file << kMagic << ' ' << kVersion << " height " << stats.height << " quality " << encoder::kFirstPassQuality
         << " frames " << stats.frames.size() << '\n';
    for (size_t i = 0; i < stats.frames.size(); ++i) {
        const encoder::FirstPassFrame& frame = stats.frames[i];
        file << i << ' ' << (frame.intra ? kIntra : kPredicted) << ' ' << frame.bytes << ' ' << frame.floorBytes
             << '\n';
    }
    const std::string text = std::move(file).str();
    media::FileHandle out(path, "wb");
    out.write(text.data(), text.size());
    out.close();
}

FirstPassStats readFirstPass(const std::string& path) {
    std::ifstream file(support::filePath(path), std::ios::binary);
    if (!file) throw support::FileError::io(path + ": cannot open");
    std::string text;
    int line = 1;
    if (!std::getline(file, text)) failAt(path, line, "empty, not a first pass's statistics");
    Fields header(path, line, text);
    if (header.word() != kMagic)
        header.fail("not a first pass's statistics (they begin with '" + std::string(kMagic) + "')");
    if (header.number(UINT32_MAX) != kVersion) header.fail("a version other than " + std::to_string(kVersion));
    header.word("height");
    FirstPassStats stats;
    stats.height = int(header.number(UINT16_MAX));
    header.word("quality");
    if (header.number(100) != uint64_t(encoder::kFirstPassQuality))
        header.fail("measured at another quality than this encoder's first pass, " +
                    std::to_string(encoder::kFirstPassQuality));
    header.word("frames");
    const uint64_t count = header.number(kMostFrames);
    header.end();
    if (count == 0) header.fail("no frames");
    for (uint64_t i = 0; i < count; ++i) {
        if (!std::getline(file, text)) failAt(path, line + 1, "the file ends before frame " + std::to_string(i));
        Fields fields(path, ++line, text);
        if (fields.number(kMostFrames) != i) fields.fail("frame " + std::to_string(i) + " expected");
        encoder::FirstPassFrame frame;
        const std::string_view kind = fields.word();
        if (kind != kIntra && kind != kPredicted) fields.fail("the kind is intra or predicted");
        frame.intra = kind == kIntra;
        frame.bytes = fields.number(UINT32_MAX);
        frame.floorBytes = fields.number(UINT32_MAX);
        fields.end();
        if (frame.bytes == 0 || frame.floorBytes == 0) fields.fail("a frame of no bytes");
        stats.frames.push_back(frame);
    }
    if (std::getline(file, text)) failAt(path, line + 1, "more lines than the header's frames");
    if (file.bad()) throw support::FileError::io(path + ": cannot read");
    return stats;
}

}  // namespace vk6
