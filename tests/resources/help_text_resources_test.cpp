// The bytes of the two help text resources: CR LF lines, the empty lines
// between sections, and how each resource ends.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "setup/resources/embedded_resources.h"

namespace setup {
namespace {

std::string text(int id) {
    auto bytes = embeddedResource(ResourceType::Text, id);
    EXPECT_TRUE(bytes.has_value()) << id;
    return bytes ? std::string(reinterpret_cast<const char*>(bytes->data()), bytes->size()) : std::string();
}

std::vector<std::string> splitLines(const std::string& s) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t lf; (lf = s.find('\n', start)) != std::string::npos; start = lf + 1)
        lines.push_back(s.substr(start, lf - start));
    if (start < s.size()) lines.push_back(s.substr(start));
    return lines;
}

const std::vector<std::string_view> kSectionOrder{"[LAUNCH]",  "[KIT]",    "[RESOLU]",   "[ADAPTA]",
                                                  "[VVOIX]",   "[VCD]",    "[VSFX]",     "[VGENERAL]",
                                                  "[SPEAKER]", "[SSHIGH]", "[SSMEDIUM]", "[SSLOW]"};

// Each section: its name, "nbligne N", "Start S", exactly N text lines, then
// empty lines (two after the first two sections, one after the others, none
// at the very end).
void expectSections(const std::vector<std::string>& lines) {
    std::size_t i = 0;
    for (std::size_t s = 0; s < kSectionOrder.size(); ++s) {
        ASSERT_LT(i + 2, lines.size());
        EXPECT_EQ(lines[i], std::string(kSectionOrder[s]) + "\r");
        ASSERT_EQ(lines[i + 1].rfind("nbligne ", 0), 0u) << lines[i + 1];
        EXPECT_EQ(lines[i + 2].rfind("Start ", 0), 0u) << lines[i + 2];
        int count = std::stoi(lines[i + 1].substr(8));
        i += 3;
        for (int n = 0; n < count; ++n, ++i) {
            ASSERT_LT(i, lines.size());
            ASSERT_FALSE(lines[i].empty());
            EXPECT_NE(lines[i][0], ' ') << lines[i];
            EXPECT_NE(lines[i][0], '\r') << "section " << kSectionOrder[s] << " has fewer lines than it says";
        }
        std::size_t blanks = s < 2 ? 2 : (s + 1 < kSectionOrder.size() ? 1 : 0);
        for (std::size_t b = 0; b < blanks; ++b, ++i) {
            ASSERT_LT(i, lines.size());
            EXPECT_EQ(lines[i], "\r") << "after " << kSectionOrder[s];
        }
    }
    EXPECT_EQ(i, lines.size());
}

TEST(HelpTextResources, EnglishEndsWithoutALineBreak) {
    std::string en = text(150);
    ASSERT_FALSE(en.empty());
    EXPECT_EQ(en.substr(0, 10), "[LAUNCH]\r\n");
    EXPECT_TRUE(en.ends_with("\r\nSet Sound Quality To Low"));
    auto lines = splitLines(en);
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) EXPECT_TRUE(lines[i].ends_with('\r')) << i;
    expectSections(lines);
}

TEST(HelpTextResources, FrenchEndsWithALineBreak) {
    std::string fr = text(189);
    EXPECT_TRUE(fr.ends_with("\r\nQualite sonore basse\r\n"));
    auto lines = splitLines(fr);
    for (const std::string& line : lines) EXPECT_TRUE(line.ends_with('\r')) << line;
    expectSections(lines);
}

TEST(HelpTextResources, NoTextLineIsTakenForAKeyword) {
    // A text line starting with "start" or "nbligne" in any case would be read
    // as a keyword and vanish from the help.
    for (int id : {150, 189}) {
        for (const std::string& line : splitLines(text(id))) {
            std::string lower;
            for (char c : line) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
            if (lower.rfind("start ", 0) == 0 || lower.rfind("nbligne ", 0) == 0) {
                bool number = line.size() > 6 && std::isdigit(static_cast<unsigned char>(line[line.find(' ') + 1]));
                EXPECT_TRUE(number) << line;
            } else {
                EXPECT_NE(lower.rfind("start", 0), 0u) << line;
                EXPECT_NE(lower.rfind("nbligne", 0), 0u) << line;
            }
        }
    }
}

}  // namespace
}  // namespace setup
