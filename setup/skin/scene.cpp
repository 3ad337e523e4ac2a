#include "setup/skin/scene.h"

#include <algorithm>

namespace setup {

// The members are set up in the order of their declaration: background, hit
// map (whose size the scene takes), buffer, font atlas, help area, particles.
Scene::Scene(Platform& p)
    : platform(p),
      background(loadPixels(p, kBackgroundBitmap)),
      hitMap(loadPixels(p, kHitMapBitmap)),
      buffer(hitMap.width, hitMap.height),
      font(loadPixels(p, kFontAtlasBitmap)) {
    width = hitMap.width;
    height = hitMap.height;
    createParticles(particles, random);
}

void composeScene(Scene& scene) {
    // Background and hit map share one size; a smaller background is copied as
    // far as it goes rather than read past its end.
    std::copy_n(scene.background.pixels.begin(), std::min(scene.background.pixels.size(), scene.buffer.pixels.size()),
                scene.buffer.pixels.begin());
    drawControls(scene.controls, scene.buffer);
    drawParticles(scene.particles, scene.buffer);
    drawHelpText(scene.help, scene.font, scene.buffer);
}

void tickParticles(Scene& scene) { tickParticles(scene.particles, scene.random); }

}  // namespace setup
