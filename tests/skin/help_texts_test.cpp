#include <gtest/gtest.h>

#include "setup/skin/help_texts.h"
#include "tests/skin/synthetic_skin.h"

namespace setup {
namespace {

using Lines = std::vector<std::string>;

TEST(HelpTexts, TheEnglishResourceGivesEverySectionWithItsCarriageReturns) {
    test::SyntheticSkinPlatform platform;
    HelpTexts texts;
    loadHelpTexts(texts, platform);
    const HelpText& launch = *texts.find("[LAUNCH]");
    EXPECT_EQ(launch.lineCount, 4);
    EXPECT_EQ(launch.startLine, 3);
    EXPECT_EQ(launch.lines, (Lines{"Launch\r", "The\r", "Orvane\r", "Show\r"}));
    EXPECT_EQ(texts.find("[KIT]")->lines, (Lines{"Quit Program\r", "(The End)\r"}));
    EXPECT_EQ(texts.find("[ADAPTA]")->startLine, 2);
    EXPECT_EQ(texts.find("[SSLOW]")->lines, (Lines{"Set Sound Quality To Low"}));
    for (const HelpText& section : texts.sections) EXPECT_GT(section.lineCount, 0);
    EXPECT_EQ(texts.find("[NONE]"), nullptr);

    freeHelpTexts(texts);
    EXPECT_EQ(texts.find("[LAUNCH]")->lineCount, 0);
    EXPECT_TRUE(texts.find("[LAUNCH]")->lines.empty());
}

TEST(HelpTexts, KeywordsWinOverTextAndStrayLinesAreDropped) {
    HelpTexts texts;
    parseHelpTexts(texts,
                   "stray before any section\n"
                   "nbligne 9\n"
                   "[VCD] trailing words\r\n"
                   "NbLiGnE 3\r\n"
                   "sTaRt 4\r\n"
                   "Starting now\r\n"  // a "start" line with no number: not text
                   " indented\r\n"
                   "[KIT]ish\r\n"  // a section line, however it goes on
                   "[vcd]\r\n"     // names match exactly: this is text
                   "one\r\n"
                   "two\r\n"
                   "three\r\n");
    const HelpText& kit = *texts.find("[KIT]");
    EXPECT_EQ(kit.lineCount, 0);
    const HelpText& cd = *texts.find("[VCD]");
    EXPECT_EQ(cd.lineCount, 3);
    EXPECT_EQ(cd.startLine, 4);
    // "[KIT]ish" made [KIT] current, so the texts went there (and, with no count
    // line, were not stored); [VCD] keeps its empty places.
    EXPECT_EQ(cd.lines, (Lines{"", "", ""}));
}

TEST(HelpTexts, LinesAreCutAtZeroBytesAnd255CharactersAndCountsKeptWhenUnreadable) {
    HelpTexts texts;
    const std::string longLine(300, 'x');
    parseHelpTexts(texts, std::string("[VSFX]\nnbligne 3\nstart 2\nstart x\nab\0cd\n", 39) + longLine + "\nlast");
    const HelpText& sfx = *texts.find("[VSFX]");
    EXPECT_EQ(sfx.startLine, 2);
    EXPECT_EQ(sfx.lines, (Lines{"ab", std::string(255, 'x'), "last"}));

    // A section met again goes on filling its own places.
    parseHelpTexts(texts, "[KIT]\nnbligne 2\none\n[VCD]\nnbligne 1\n[KIT]\ntwo\n");
    EXPECT_EQ(texts.find("[KIT]")->lines, (Lines{"one", "two"}));

    // White space of any kind before a number is skipped, a carriage return
    // included, as a decimal reader does.
    parseHelpTexts(texts, "[VCD]\nnbligne\v\f2\nstart \r\t+7\n");
    EXPECT_EQ(texts.find("[VCD]")->lineCount, 2);
    EXPECT_EQ(texts.find("[VCD]")->startLine, 7);

    parseHelpTexts(texts, "[VSFX]\nnbligne -4\nhidden\n");
    EXPECT_EQ(texts.find("[VSFX]")->lineCount, 0);
    EXPECT_TRUE(texts.find("[VSFX]")->lines.empty());
}

TEST(HelpTexts, AMissingResourceLeavesEveryRecordEmpty) {
    test::SyntheticSkinPlatform platform;
    platform.texts.clear();
    HelpTexts texts;
    loadHelpTexts(texts, platform);
    for (const HelpText& section : texts.sections) EXPECT_EQ(section.lineCount, 0);
}

}  // namespace
}  // namespace setup
