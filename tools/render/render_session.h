#pragma once
// A setup window session over the headless backend, driven by a script of
// pointer moves, presses and timer ticks, whose frame can be taken at any
// point: the real window logic over the shipped skin, without a window.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "setup/platform/headless/headless_platform.h"
#include "setup/platform/headless/recorded_window.h"
#include "setup/platform/headless/scripted_display.h"
#include "setup/shell/setup_dialog.h"

namespace render {

struct RenderStep {
    enum class Kind { Hover, HoverBackground, Press, TurnKnob, Ticks, Seed };
    Kind kind = Kind::Ticks;
    setup::ControlId control = setup::ControlId::HitBackground;
    int value = 0;  // knob position, tick count or seed
    bool operator==(const RenderStep&) const = default;
};

struct RenderScript {
    std::uint32_t clockMs = 2500;  // process clock at start-up, which seeds the particles
    std::vector<setup::ModeReport> modes{{640, 480, 16}, {800, 600, 16}, {1024, 768, 16}, {1280, 1024, 16}};
    std::string adapter = "Primary Display Driver";
    std::vector<RenderStep> steps;
};

// Reads the script from arguments such as "hover=quit", "knob=sfx:70",
// "press=high", "ticks=40", "seed=7", "clock=2500", "modes=640x480,800x600",
// "hover=none". Gives the error text for the first bad argument.
std::optional<std::string> parseRenderArgs(const std::vector<std::string>& args, RenderScript& script);

// Control names of the script: quit, launch, low, medium, high, flip, next,
// previous, resolution, general, voice, sfx, cd.
std::optional<setup::ControlId> controlByName(const std::string& name);

class RenderSession {
public:
    // Starts the window with default settings (no Config.ini) and the script's
    // clock, modes and adapter.
    explicit RenderSession(const RenderScript& script);
    ~RenderSession();
    RenderSession(const RenderSession&) = delete;
    RenderSession& operator=(const RenderSession&) = delete;

    void apply(const RenderStep& step);
    void run(const std::vector<RenderStep>& steps) {
        for (const RenderStep& s : steps) apply(s);
    }

    // Composes the frame as a repaint does.
    const setup::Surface& frame();
    const setup::Scene& scene() const { return dialog_.scene(); }
    const setup::SetupDialog& dialog() const { return dialog_; }

    // A pixel of the control's area nearest the middle of it (for a knob, of the
    // ramp colour of that position, or of its whole live ramp when none).
    std::optional<std::pair<int, int>> pointOn(setup::ControlId id,
                                               std::optional<int> knobPosition = std::nullopt) const;

private:
    std::filesystem::path folder_;
    setup::HeadlessPlatform platform_;
    setup::ScriptedDisplay display_;
    setup::RecordedWindow window_;
    setup::FakeLauncher launcher_;
    setup::SetupDialog dialog_;
};

}  // namespace render
