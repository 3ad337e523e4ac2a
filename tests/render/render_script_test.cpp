#include <gtest/gtest.h>

#include "tools/render/render_session.h"

namespace render {
namespace {

using Kind = RenderStep::Kind;

TEST(RenderScript, StepsKeepTheirOrderAndSettingsApplyToTheStart) {
    RenderScript script;
    auto error = parseRenderArgs({"clock=77", "hover=quit", "knob=sfx:70", "ticks=12", "press=high", "seed=9",
                                  "hover=none", "modes=640x480,1024x768"},
                                 script);
    ASSERT_FALSE(error) << *error;
    EXPECT_EQ(script.clockMs, 77u);
    ASSERT_EQ(script.modes.size(), 2u);
    EXPECT_EQ(script.modes[1].width, 1024);
    EXPECT_EQ(script.modes[1].rgbBitCount, 16);
    const std::vector<RenderStep> expected{
        {Kind::Hover, setup::ControlId::QuitButton},        {Kind::TurnKnob, setup::ControlId::SfxVolumeKnob, 70},
        {Kind::Ticks, setup::ControlId::HitBackground, 12}, {Kind::Press, setup::ControlId::QualityHighToggle},
        {Kind::Seed, setup::ControlId::HitBackground, 9},   {Kind::HoverBackground}};
    EXPECT_EQ(script.steps, expected);
}

TEST(RenderScript, BadArgumentsAreNamed) {
    for (const char* bad : {"hover=nothing", "knob=quit:5", "knob=sfx", "knob=sfx:101", "knob=sfx:-1", "ticks=x",
                            "ticks=5x", "clock=", "modes=640x", "modes=640x480,", "size=3", "hover"}) {
        RenderScript script;
        auto error = parseRenderArgs({bad}, script);
        EXPECT_TRUE(error.has_value()) << bad;
    }
}

}  // namespace
}  // namespace render
