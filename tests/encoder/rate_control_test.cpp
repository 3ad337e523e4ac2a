// Frames repeated where quality 1 is over the rate: as often as the rate
// needs, spread evenly, in one pass and in a second; never where quality 1
// is within it.

#include "encoder/rate_control.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace encoder {
namespace {

constexpr double kFramesPerSecond = 15;
constexpr double kShare = 1000;  // bytes a frame
constexpr double kBitrate = kShare * 8 * kFramesPerSecond;
constexpr size_t kRepeatBytes = 100;
constexpr int kFrames = 300;

struct Paced {
    std::string pattern;  // I intra, c coded, R repeated
    double bytesPerFrame = 0;
};

// Every predicted frame takes floorBytes at quality 1 and more at no
// quality; the first frame is an intra frame at its target.
Paced run(RateControl rate, size_t floorBytes) {
    Paced result;
    double spent = 0;
    for (int frame = 0; frame < kFrames; ++frame) {
        const bool intra = frame == 0;
        const double target = rate.target(intra, 2);
        const bool repeat = !intra && rate.repeatDue(target, double(floorBytes), 2);
        const size_t bytes = intra ? size_t(target) : repeat ? kRepeatBytes : floorBytes;
        rate.coded(bytes, repeat);
        spent += double(bytes);
        result.pattern += intra ? 'I' : repeat ? 'R' : 'c';
    }
    result.bytesPerFrame = spent / kFrames;
    return result;
}

std::vector<FirstPassFrame> firstPass(size_t floorBytes) {
    std::vector<FirstPassFrame> frames(kFrames, {false, floorBytes * 3, floorBytes});
    frames[0].intra = true;
    return frames;
}

// At quality 1 a frame takes 1.5 times its share: a coded frame spends 500
// bytes too many and a repeat saves 900, so about one frame in three
// repeats, never two in a row and never three coded in a row.
TEST(RateControlTest, RepeatsAreSpreadEvenlyToMeetTheRate) {
    const size_t floor = 1500;
    const std::pair<const char*, RateControl> rates[] = {
        {"length unknown", RateControl(kBitrate, kFramesPerSecond, 0, 0)},
        {"length known", RateControl(kBitrate, kFramesPerSecond, kFrames, 0)},
        {"second pass", RateControl(kBitrate, kFramesPerSecond, firstPass(floor))},
    };
    for (const auto& [name, rate] : rates) {
        SCOPED_TRACE(name);
        const Paced result = run(rate, floor);
        EXPECT_NEAR(result.bytesPerFrame / kShare, 1.0, 0.01);
        const std::string steady = result.pattern.substr(10);
        EXPECT_EQ(steady.find("RR"), std::string::npos) << result.pattern;
        EXPECT_EQ(steady.find("ccc"), std::string::npos) << result.pattern;
    }
}

// Quality 1 within the rate, frames at their targets, and a debt near the
// end that quality 1 pays back in two seconds but not in the frames left:
// the frames over their targets at quality 1 are coded all the same.
TEST(RateControlTest, NoFrameRepeatsWhereQuality1IsWithinTheRate) {
    const size_t floor = 900;
    for (RateControl rate : {RateControl(kBitrate, kFramesPerSecond, kFrames, 0),
                             RateControl(kBitrate, kFramesPerSecond, firstPass(floor))}) {
        bool overTarget = false;
        for (int frame = 0; frame < kFrames; ++frame) {
            const double target = rate.target(false, 2);
            overTarget = overTarget || target < floor;
            EXPECT_FALSE(frame > 0 && rate.repeatDue(target, double(floor), 2)) << "frame " << frame;
            rate.coded(frame == kFrames - 10 ? size_t(kShare * 2) : std::max(floor, size_t(target)));
        }
        EXPECT_TRUE(overTarget);
    }
}

}  // namespace
}  // namespace encoder
