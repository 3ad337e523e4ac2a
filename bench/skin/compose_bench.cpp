// One full frame of the setup window over the shipped skin: background, every control drawing a
// bitmap, 200 particles and 11 full help lines.

#include <benchmark/benchmark.h>

#include "setup/platform/headless/headless_platform.h"
#include "setup/skin/scene.h"

namespace bench {
namespace {

void fillScene(setup::Scene& scene, float alpha) {
    setup::SetupSettings settings;
    setup::applyDefaults(settings);
    createControls(scene.controls, scene.bitmaps, scene.platform, settings);
    for (setup::PushButton& button : scene.controls.pushButtons) button.hovered = true;
    for (setup::ToggleButton& toggle : scene.controls.toggles) toggle.on = true;
    for (int line = 0; line < setup::kHelpLines; ++line) layoutHelpText(scene.help, "ABCDEFGHIJKLMNOPQ", line, alpha);
    for (int tick = 0; tick < 30; ++tick) tickParticles(scene);
}

// Shimmering text (alpha below 1.0) takes the scaled glyph path; text at full
// brightness the plain add.
void composeFullFrame(benchmark::State& state) {
    setup::HeadlessPlatform platform;  // the shipped skin
    setup::Scene scene(platform);
    fillScene(scene, state.range(0) == 0 ? 0.8f : 1.0f);
    for (auto _ : state) {
        setup::composeScene(scene);
        benchmark::DoNotOptimize(scene.buffer.pixels.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(composeFullFrame)->ArgName("fullBrightness")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void tickAndCompose(benchmark::State& state) {
    setup::HeadlessPlatform platform;  // the shipped skin
    setup::Scene scene(platform);
    fillScene(scene, 0.0f);
    std::uint32_t clock = 0;
    for (auto _ : state) {
        setup::tickParticles(scene);
        setup::tickHelpLines(scene.help, clock += 10);
        setup::composeScene(scene);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(tickAndCompose)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace bench
