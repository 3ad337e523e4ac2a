// Sessions over the shipped skin: the script reaches the real window logic.

#include <gtest/gtest.h>

#include "tools/render/render_session.h"

namespace render {
namespace {

TEST(RenderSession, HoveringAControlShowsItsHelpText) {
    RenderScript script;
    RenderSession session(script);
    session.apply({RenderStep::Kind::Hover, setup::ControlId::QuitButton});
    session.apply({RenderStep::Kind::Ticks, setup::ControlId::HitBackground, 50});
    EXPECT_EQ(session.scene().help.lines[4].text, "  Quit Program");
    EXPECT_EQ(session.scene().help.lines[5].text, "   (The End)");
    EXPECT_EQ(session.scene().help.lines[4].alpha[2], session.scene().help.lines[5].alpha[3]);  // shimmering together
    EXPECT_TRUE(setup::findPushButton(const_cast<setup::Scene&>(session.scene()).controls, setup::ControlId::QuitButton)
                    ->hovered);
}

// Turning a knob changes only the knob and the help text it shows.
TEST(RenderSession, AKnobTurnedToAnotherPositionChangesOnlyItsFrameAndTheText) {
    RenderScript script;
    auto frameAt = [&](int position) {
        RenderSession session(script);
        session.apply({RenderStep::Kind::TurnKnob, setup::ControlId::GeneralVolumeKnob, position});
        EXPECT_EQ(session.dialog().settings().generalVolume, position == 0 ? 0 : position - 1);
        session.apply({RenderStep::Kind::Ticks, setup::ControlId::HitBackground, 30});
        return session.frame();
    };
    const setup::Surface low = frameAt(3), high = frameAt(97);
    int knobPixelsChanged = 0;
    for (int y = 0; y < low.height; ++y)
        for (int x = 0; x < low.width; ++x) {
            if (low.at(x, y) == high.at(x, y)) continue;
            const bool inKnob = x >= 31 && x < 71 && y >= 48 && y < 88;
            const bool inText = x >= 150 && x < 330 && y >= 100 && y < 254;
            EXPECT_TRUE(inKnob || inText) << x << "," << y;
            knobPixelsChanged += inKnob;
        }
    EXPECT_GT(knobPixelsChanged, 100);
}

TEST(RenderSession, TheSameScriptGivesTheSameFrame) {
    RenderScript script;
    script.steps = {{RenderStep::Kind::Seed, setup::ControlId::HitBackground, 5},
                    {RenderStep::Kind::Hover, setup::ControlId::SfxVolumeKnob},
                    {RenderStep::Kind::Ticks, setup::ControlId::HitBackground, 25}};
    RenderSession first(script), second(script);
    first.run(script.steps);
    second.run(script.steps);
    EXPECT_TRUE(first.frame().pixels == second.frame().pixels);
}

TEST(RenderSession, EveryControlCanBeFoundOnTheHitMap) {
    RenderScript script;
    RenderSession session(script);
    for (int id = 3; id <= 17; ++id) {
        if (id == 6 || id == 7) continue;
        auto point = session.pointOn(static_cast<setup::ControlId>(id));
        ASSERT_TRUE(point.has_value()) << id;
        EXPECT_EQ(setup::hitTest(const_cast<setup::Scene&>(session.scene()).controls, session.scene().hitMap,
                                 point->first, point->second),
                  static_cast<setup::ControlId>(id));
    }
    auto ramp = session.pointOn(setup::ControlId::ResolutionKnob, 100);
    ASSERT_TRUE(ramp.has_value());
    EXPECT_EQ(session.scene().hitMap.at(ramp->first, ramp->second), 0xFF006Eu);
}

}  // namespace
}  // namespace render
