// One full frame of the setup window over the shipped skin: background, every control drawing a
// bitmap, 200 particles and 11 full help lines.

#include <benchmark/benchmark.h>

#include "setup/platform/headless/headless_platform.h"
#include "setup/skin/scene.h"

namespace orv {
namespace {

void fillScene(Scene& scene, float alpha) {
    SetupSettings settings;
    applyDefaults(settings);
    createControls(scene.controls, scene.bitmaps, scene.platform, settings);
    for (PushButton& button : scene.controls.pushButtons) button.hovered = true;
    for (ToggleButton& toggle : scene.controls.toggles) toggle.on = true;
    for (int line = 0; line < kHelpLines; ++line) layoutHelpText(scene.help, "ABCDEFGHIJKLMNOPQ", line, alpha);
    for (int tick = 0; tick < 30; ++tick) tickParticles(scene);
}

// Shimmering text (alpha below 1.0) takes the scaled glyph path; text at full
// brightness the plain add.
void composeFullFrame(benchmark::State& state) {
    HeadlessPlatform platform;  // the shipped skin
    Scene scene(platform);
    fillScene(scene, state.range(0) == 0 ? 0.8f : 1.0f);
    for (auto _ : state) {
        composeScene(scene);
        benchmark::DoNotOptimize(scene.buffer.pixels.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(composeFullFrame)->ArgName("fullBrightness")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void tickAndCompose(benchmark::State& state) {
    HeadlessPlatform platform;  // the shipped skin
    Scene scene(platform);
    fillScene(scene, 0.0f);
    std::uint32_t clock = 0;
    for (auto _ : state) {
        tickParticles(scene);
        tickHelpLines(scene.help, clock += 10);
        composeScene(scene);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(tickAndCompose)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orv
