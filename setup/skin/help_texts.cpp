#include "setup/skin/help_texts.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace setup {
namespace {

// A line is read into a buffer of 256 bytes: at most 255 characters.
constexpr std::size_t kLineLimit = 255;

bool startsWithIgnoringCase(std::string_view line, std::string_view word) {
    return line.size() >= word.size() && std::equal(word.begin(), word.end(), line.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

// The decimal number behind a keyword, after any white space (carriage
// returns, form feeds and the like too); the field keeps its value when there
// is none.
void readNumber(std::string_view text, std::int32_t& field) {
    const auto first =
        std::find_if(text.begin(), text.end(), [](char c) { return !std::isspace(static_cast<unsigned char>(c)); });
    const char* begin = text.data() + (first - text.begin());
    if (begin < text.data() + text.size() && *begin == '+') ++begin;
    std::int32_t value = 0;
    if (std::from_chars(begin, text.data() + text.size(), value).ec == std::errc{}) field = value;
}

int sectionIndex(std::string_view line) {
    for (std::size_t i = 0; i < kHelpSectionNames.size(); ++i) {
        if (line.starts_with(kHelpSectionNames[i])) return static_cast<int>(i);
    }
    return -1;
}

class SectionReader {
public:
    explicit SectionReader(HelpTexts& texts) : texts_(texts) {}

    void read(std::string_view line) {
        if (const int index = sectionIndex(line); index >= 0) {
            current_ = index;
        } else if (current_ < 0) {
            // Nothing before the first section belongs anywhere.
        } else if (startsWithIgnoringCase(line, "nbligne")) {
            HelpText& section = texts_.sections[current_];
            readNumber(line.substr(7), section.lineCount);
            // A negative count would make a negative array: it holds no line.
            section.lineCount = std::max(section.lineCount, 0);
            section.lines.assign(section.lineCount, std::string());
            filled_[current_] = 0;
        } else if (startsWithIgnoringCase(line, "start")) {
            readNumber(line.substr(5), texts_.sections[current_].startLine);
        } else if (!line.empty() && line.front() != ' ' && line.front() != '\r') {
            std::vector<std::string>& lines = texts_.sections[current_].lines;
            if (filled_[current_] < lines.size()) lines[filled_[current_]++] = line;
        }
    }

private:
    HelpTexts& texts_;
    int current_ = -1;                                            // no section yet
    std::array<std::size_t, kHelpSectionNames.size()> filled_{};  // next free place of each section
};

}  // namespace

const HelpText* HelpTexts::find(std::string_view name) const {
    auto found = std::find(kHelpSectionNames.begin(), kHelpSectionNames.end(), name);
    return found == kHelpSectionNames.end() ? nullptr : &sections[found - kHelpSectionNames.begin()];
}

void parseHelpTexts(HelpTexts& texts, std::string_view bytes) {
    SectionReader reader(texts);
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t feed = std::min(bytes.find('\n', at), bytes.size());
        std::string_view line = bytes.substr(at, feed - at);
        // The line is copied up to a zero byte and at most 255 characters; the
        // rest of it up to the line feed is skipped.
        line = line.substr(0, std::min({line.find('\0'), line.size(), kLineLimit}));
        reader.read(line);
        at = feed + 1;
    }
}

void loadHelpTexts(HelpTexts& texts, Platform& platform) {
    std::string bytes;
    if (platform.loadText(kHelpTextResource, bytes)) parseHelpTexts(texts, bytes);
}

void freeHelpTexts(HelpTexts& texts) { texts = HelpTexts{}; }

}  // namespace setup
