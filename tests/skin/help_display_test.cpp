#include <gtest/gtest.h>

#include <cmath>

#include "setup/skin/help_display.h"
#include "tests/skin/synthetic_skin.h"

namespace setup {
namespace {

std::string sp(int n) { return std::string(n, ' '); }

std::string texts(const HelpArea& area, int from, int to) {
    std::string out;
    for (int i = from; i <= to; ++i) out += "|" + area.lines[i].text;
    return out + "|";
}

TEST(HelpLayout, CentresAndWrapsAtSpaces) {
    HelpArea area;
    EXPECT_EQ(layoutHelpText(area, "Quit Program\r", 4, 0), 5);
    EXPECT_EQ(area.lines[4].text, sp(2) + "Quit Program");
    EXPECT_EQ(layoutHelpText(area, "Flip Speakers if enable\r", 3, 0), 5);
    EXPECT_EQ(texts(area, 3, 4), "|Flip Speakers if|" + sp(4) + " enable|");
    EXPECT_EQ(layoutHelpText(area, "Choose your Video Adaptator=\r", 2, 0), 5);
    EXPECT_EQ(texts(area, 2, 4), "|" + sp(2) + "Choose your|" + sp(5) + " Video|" + sp(2) + " Adaptator=|");
}

TEST(HelpLayout, ShortTextsKeepTheirCarriageReturnAndLinesAreClamped) {
    HelpArea area;
    EXPECT_EQ(layoutHelpText(area, "A\r", 0, 0), 1);
    EXPECT_EQ(area.lines[0].text, sp(7) + "A\r");
    EXPECT_EQ(layoutHelpText(area, "49 ", 14, 0), 11);
    EXPECT_EQ(area.lines[10].text, sp(6) + "49 ");
    EXPECT_EQ(layoutHelpText(area, "x", -3, 0), 1);
    EXPECT_EQ(area.lines[0].text, sp(7) + "x");
    // Wrapping past the last line keeps overwriting it.
    EXPECT_EQ(layoutHelpText(area, "Set Sound Quality To Low", 10, 0), 11);
    EXPECT_EQ(area.lines[10].text, " Quality To Low");
}

TEST(HelpLayout, WordsWithoutABreakAreCutAfter17Characters) {
    HelpArea area;
    EXPECT_EQ(layoutHelpText(area, "ABCDEFGHIJKLMNOPQRSTU", 0, 0), 2);
    EXPECT_EQ(texts(area, 0, 1), "|ABCDEFGHIJKLMNOPQ|" + sp(6) + "RSTU|");
    EXPECT_EQ(layoutHelpText(area, "Go ABCDEFGHIJKLMNOPQRSTU", 0, 0), 3);
    EXPECT_EQ(texts(area, 0, 2), "|" + sp(7) + "Go| ABCDEFGHIJKLMNOP|" + sp(5) + "QRSTU|");
}

TEST(HelpLayout, ShowsASectionLineByLineAndGivesTheLineBelow) {
    test::SyntheticSkinPlatform platform;
    HelpTexts sections;
    loadHelpTexts(sections, platform);
    HelpArea area;
    EXPECT_EQ(showHelpSection(area, sections, "[LAUNCH]", 0), 7);
    EXPECT_EQ(texts(area, 3, 6), "|" + sp(5) + "Launch|" + sp(6) + "The|" + sp(5) + "Orvane|" + sp(6) + "Show|");
    sections.sections[0] = HelpText{0, 6, {}};
    EXPECT_EQ(showHelpSection(area, sections, "[LAUNCH]", 0), 6);
}

TEST(HelpFades, StepFromLeftToRightAndAnAlphaShowsAtOnce) {
    HelpArea area;
    layoutHelpText(area, "Quit", 0, 0);
    const HelpLine& line = area.lines[0];
    EXPECT_TRUE(line.fadingIn);
    EXPECT_NEAR(line.step[0], 0.03 / 17 + 0.05, 1e-6);
    EXPECT_FLOAT_EQ(line.step[16], 0.08f);
    EXPECT_EQ(line.alpha[5], 0.0f);
    layoutHelpText(area, "Quit", 1, 1.0f);
    EXPECT_EQ(area.lines[1].alpha[0], 1.0f);
    EXPECT_TRUE(area.lines[1].fadingIn);
}

TEST(HelpFades, AFadeOutWaitsForTheFadeInThenClearsTheLine) {
    HelpArea area;
    layoutHelpText(area, "Quit", 0, 0);
    HelpLine& line = area.lines[0];
    tickHelpLines(area, 0);
    fadeOutAllLines(area);
    int ticks = 1;
    while (line.fadingIn) {
        tickHelpLines(area, 0);
        ++ticks;
        ASSERT_TRUE(line.fadingOut);
    }
    EXPECT_EQ(ticks, 20);  // the first column needs the most steps, 1 / 0.0518
    EXPECT_EQ(line.alpha[0], 1.0f);
    EXPECT_EQ(line.text, sp(6) + "Quit");
    while (line.fadingOut) tickHelpLines(area, 0);
    EXPECT_EQ(line.text, "");
    EXPECT_EQ(line.alpha[3], 1.0f);  // idle again: shimmering at cos 0
}

TEST(HelpFades, IdleLinesShimmerWithTheProcessClock) {
    HelpArea area;
    tickHelpLines(area, 1000);
    const float expected = static_cast<float>(0.8 + 0.2 * std::cos(1000 * 0.00147));
    EXPECT_EQ(area.lines[0].alpha[0], expected);
    EXPECT_EQ(area.lines[10].alpha[16], expected);
    tickHelpLines(area, 2137);  // about half the period: near the bottom
    EXPECT_NEAR(area.lines[0].alpha[0], 0.6f, 1e-3);
}

class GlyphDrawing : public ::testing::Test {
protected:
    GlyphDrawing() : scene(484, 480), font(312, 42) {
        for (int y = 0; y < 14; ++y) {
            for (int x = 0; x < 10; ++x) font.at(10 * 12 + x, 14 + y) = x == 0 ? 0 : 0x804020;  // the "=" cell
        }
        scene.pixels.assign(scene.pixels.size(), 0x010101);
        area.lines[2].text = "a=";
    }
    Surface scene, font;
    HelpArea area;
};

TEST_F(GlyphDrawing, FullBrightnessAddsEveryPixelEvenBlackOnes) {
    area.lines[2].alpha.fill(1.0f);
    drawHelpText(area, font, scene);
    const int x = 155 + 10, y = 100 + 28;
    EXPECT_EQ(scene.at(x, y), 0x000001u);  // black glyph pixel: low bits cleared
    EXPECT_EQ(scene.at(x + 1, y), 0x804021u);
    EXPECT_EQ(scene.at(x - 1, y), 0x000001u);   // "a" draws the black cell of "A"
    EXPECT_EQ(scene.at(x + 10, y), 0x010101u);  // past the text
}

TEST_F(GlyphDrawing, LowerBrightnessScalesAndSkipsBlackPixels) {
    area.lines[2].alpha.fill(0.5f);
    drawHelpText(area, font, scene);
    const int x = 155 + 10, y = 100 + 28;
    EXPECT_EQ(scene.at(x, y), 0x010101u);
    EXPECT_EQ(scene.at(x + 1, y + 13), 0x402011u);
    area.lines[2].alpha.fill(0.999f);  // 255.7: k = 255
    scene.pixels.assign(scene.pixels.size(), 0);
    drawHelpText(area, font, scene);
    EXPECT_EQ(scene.at(x + 1, y), 0x7F3F1Fu & 0xFEFEFF);
}

TEST(GlyphTable, CoversTheAtlasCells) {
    EXPECT_EQ(glyphCell('a')->column, 0);
    EXPECT_EQ(glyphCell('Z')->column, 25);
    EXPECT_EQ(glyphCell('"')->column, 26);
    EXPECT_EQ(glyphCell('7')->row, 1);
    EXPECT_EQ(glyphCell('?')->row, 2);
    EXPECT_EQ(glyphCell(']')->column, 23);
    for (char c : {' ', '.', ',', ':', '-', '\r'}) EXPECT_FALSE(glyphCell(c)) << c;
}

}  // namespace
}  // namespace setup
