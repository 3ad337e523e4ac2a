#include "setup/skin/particles.h"

namespace setup {

void spawnParticle(Particle& p, RandomGenerator& random) {
    p.decay = static_cast<float>(random.next() % 500) * 0.03f / 499.0f + 0.01f;
    p.vx = static_cast<float>(random.next() % 500) * (1.0f / 499.0f) - 2.0f;
    p.y = static_cast<float>(random.next() % 152 + 100);
    p.blue = random.next() % 50 + 200;
    p.green = random.next() % 50 + 100;
    p.red = random.next() % 50 + 150;
    p.x = 350.0f;
    p.vy = 0.0f;
    p.intensity = 1.0f;
}

void createParticles(ParticleStream& stream, RandomGenerator& random) {
    for (Particle& p : stream.slots) spawnParticle(p, random);
}

void tickParticles(ParticleStream& stream, RandomGenerator& random) {
    for (Particle& p : stream.slots) {
        p.x += p.vx;
        p.y += p.vy;
        p.intensity -= p.decay;
        if (p.intensity < 0.0f || p.intensity > 1.0f) spawnParticle(p, random);
    }
}

void drawParticles(const ParticleStream& stream, Surface& scene) {
    for (const Particle& p : stream.slots) {
        if (!(p.x >= 0.0f && p.y >= 0.0f && p.x < static_cast<float>(scene.width) &&
              p.y < static_cast<float>(scene.height))) {
            continue;
        }
        const int a = static_cast<int>(p.intensity * 256.0f);
        const Pixel colour = static_cast<Pixel>((p.red * a) >> 8) << 16 | static_cast<Pixel>((p.green * a) >> 8) << 8 |
                             static_cast<Pixel>((p.blue * a) >> 8);
        Pixel& target = scene.at(static_cast<int>(p.x), static_cast<int>(p.y));
        target = saturatingAdd(target, colour);
    }
}

}  // namespace setup
