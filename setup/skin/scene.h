#pragma once
// Everything the skinned window shows, composed in memory every frame.

#include "setup/skin/controls.h"
#include "setup/skin/help_display.h"
#include "setup/skin/particles.h"
#include "setup/skin/random_generator.h"
#include "setup/skin/skin_bitmap.h"
#include "setup/skin/surface.h"
#include "setup/skin/window_region.h"
#include "setup/system/platform.h"

namespace setup {

struct Scene {
    // Loads background, hit map and font atlas (a missing one is fatal), sizes
    // the scene buffer, sets up the help area and spawns the particle stream
    // with the still unseeded generator; cache and control lists start empty.
    explicit Scene(Platform& platform);
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    Platform& platform;  // resources, fatal box, process clock
    int width = 0, height = 0;
    Surface background;  // resource 136
    Surface hitMap;      // resource 146, same size
    Surface buffer;      // the frame being composed; presented as is
    Surface font;        // resource 144
    HelpArea help;
    RandomGenerator random;  // seeded by the window once it is shown
    ParticleStream particles;
    BitmapCache bitmaps;
    Controls controls;
};

// Background, push buttons, toggles, knobs, particles, help text, in that order.
void composeScene(Scene& scene);

// One timer tick of the particle stream.
void tickParticles(Scene& scene);

}  // namespace setup
