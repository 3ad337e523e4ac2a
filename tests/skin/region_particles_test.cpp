#include <gtest/gtest.h>

#include "setup/skin/controls.h"
#include "setup/skin/particles.h"
#include "setup/skin/window_region.h"

namespace setup {
namespace {

TEST(WindowRegion, RunsEndAtKeyPixelsAndAtTheRowsEnd) {
    constexpr Pixel K = kKeyColour;
    Surface map(5, 3);
    map.pixels = {K, 1, 1, K, 2,   // run touching the right edge
                  3, 3, 3, 3, 3,   // whole row; must not join the row above
                  K, K, K, K, K};  // no run
    EXPECT_EQ(buildWindowRegion(map), (std::vector<RowRun>{{0, 1, 3}, {0, 4, 5}, {1, 0, 5}}));
    map.pixels.assign(15, K);
    EXPECT_TRUE(buildWindowRegion(map).empty());
}

TEST(RandomGenerator, GivesTheSameNumbersFromTheSameSeedInRange) {
    RandomGenerator a, b;
    a.seed(1234);
    b.seed(1234);
    for (int i = 0; i < 1000; ++i) {
        const int n = a.next();
        ASSERT_EQ(n, b.next());
        ASSERT_GE(n, 0);
        ASSERT_LE(n, RandomGenerator::kMax);
    }
    RandomGenerator fresh;
    EXPECT_EQ(fresh.next(), 16838);  // the generator's first number when unseeded
}

TEST(Particles, SpawnDrawsSixNumbersInOrderIntoTheirRanges) {
    RandomGenerator random, replay;
    random.seed(99);
    replay.seed(99);
    Particle p;
    spawnParticle(p, random);
    const int r[6] = {replay.next(), replay.next(), replay.next(), replay.next(), replay.next(), replay.next()};
    EXPECT_EQ(random.next(), replay.next());  // exactly six were drawn
    EXPECT_FLOAT_EQ(p.decay, static_cast<float>(r[0] % 500) * 0.03f / 499.0f + 0.01f);
    EXPECT_EQ(p.vx, static_cast<float>(r[1] % 500) * (1.0f / 499.0f) - 2.0f);
    EXPECT_EQ(p.y, static_cast<float>(r[2] % 152 + 100));
    EXPECT_EQ(p.blue, r[3] % 50 + 200);
    EXPECT_EQ(p.green, r[4] % 50 + 100);
    EXPECT_EQ(p.red, r[5] % 50 + 150);
    EXPECT_EQ(p.x, 350.0f);
    EXPECT_EQ(p.intensity, 1.0f);

    // The velocity is rounded after the multiply and again after the subtract:
    // for the draw 71 a fused multiply-add would give one unit more.
    RandomGenerator seventyOne;
    seventyOne.seed(129);
    spawnParticle(p, seventyOne);
    EXPECT_EQ(p.vx, -0x1.db933cp+0f);
}

TEST(Particles, ASlotIsBornAgainOnlyOnceItsIntensityFallsBelowZero) {
    ParticleStream stream;
    RandomGenerator random;
    createParticles(stream, random);
    Particle& p = stream.slots[3];
    p.intensity = 0.5f;
    p.decay = 0.5f;
    tickParticles(stream, random);
    EXPECT_EQ(p.intensity, 0.0f);  // exactly 0 lives on
    EXPECT_LT(p.x, 350.0f);
    tickParticles(stream, random);
    EXPECT_EQ(p.intensity, 1.0f);
    EXPECT_EQ(p.x, 350.0f);
}

TEST(Particles, AddScaledColoursThatSaturateOnOnePixel) {
    ParticleStream stream;
    for (Particle& p : stream.slots) p = Particle{0, 0, -5, 0, 1, 0, 0, 0, 0};  // off the scene
    stream.slots[0] = Particle{0, 0, 1.7f, 2.2f, 0.5f, 0, 200, 100, 250};
    stream.slots[1] = stream.slots[0];
    stream.slots[2] = Particle{0, 0, 3, 3, 0, 0, 200, 100, 250};  // a = 0 adds nothing
    stream.slots[3] = Particle{0, 0, 4, 4, 1, 0, 199, 149, 249};  // x == width: not drawn
    Surface scene(4, 4);
    scene.at(3, 3) = 0x010101;
    drawParticles(stream, scene);
    // Each adds (100, 50, 125); two give (200, 100, 250).
    EXPECT_EQ(scene.at(1, 2), 0xC864FAu);
    EXPECT_EQ(scene.at(3, 3), 0x000001u);
    stream.slots[1].intensity = 1.0f;
    drawParticles(stream, scene);
    EXPECT_EQ(scene.at(1, 2), 0xFFFBFFu);  // red and blue saturate, green keeps its carries
}

}  // namespace
}  // namespace setup
