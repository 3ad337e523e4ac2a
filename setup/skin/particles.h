#pragma once
// The band of violet points that drifts left over the skin's screen.

#include <array>

#include "setup/skin/random_generator.h"
#include "setup/skin/surface.h"

namespace setup {

struct Particle {
    float vx = 0, vy = 0;              // pixels per tick
    float x = 0, y = 0;                // scene pixels
    float intensity = 0;               // 1.0 at birth, dies below 0
    float decay = 0;                   // taken from intensity every tick
    int red = 0, green = 0, blue = 0;  // colour at full intensity
};

inline constexpr int kParticleCount = 200;

struct ParticleStream {
    std::array<Particle, kParticleCount> slots{};
};

// Draws six numbers, in the order decay, vx, y, blue, green, red.
void spawnParticle(Particle& particle, RandomGenerator& random);
// Spawns every slot, slot 0 first.
void createParticles(ParticleStream& stream, RandomGenerator& random);
// Moves and fades every slot; a slot whose intensity leaves 0..1 is born again.
void tickParticles(ParticleStream& stream, RandomGenerator& random);
// Adds each particle's colour scaled by its intensity, slot 0 first.
void drawParticles(const ParticleStream& stream, Surface& scene);

}  // namespace setup
