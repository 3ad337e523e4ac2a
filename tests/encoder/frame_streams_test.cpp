// Streams written in parts and joined are the streams written in one go,
// wherever the parts split the control bits' words, the spiral indices'
// pairs and the nibbles' bytes.

#include "encoder/frame_streams.h"

#include <gtest/gtest.h>

#include <random>

namespace encoder {
namespace {

// One writer call: which stream, a value, and for control bits their count.
struct Call {
    int stream;
    uint32_t value;
    int count;
};

void apply(const Call& call, FrameStreams& streams) {
    switch (call.stream) {
        case 0: streams.control.put(call.value, call.count); break;
        case 1: streams.vectors.push_back(uint16_t(call.value)); break;
        case 2: streams.spirals.put(call.value); break;
        default: streams.nibbles.put(int(call.value));
    }
}

TEST(FrameStreamsTest, PartsJoinedAreTheWholeStreams) {
    std::mt19937 random(7);
    std::vector<Call> calls;
    for (int i = 0; i < 120; ++i) {
        const int stream = int(random() % 4);
        const int count = 1 + int(random() % 32);
        const uint32_t value = uint32_t(random()) & (stream == 0 ? 0xFFFFFFFFu >> (32 - count) : 0xFFFu);
        calls.push_back({stream, stream == 3 ? value & 15 : value, count});
    }
    FrameStreams whole;
    for (const Call& call : calls) apply(call, whole);
    const std::vector<uint8_t> expected = whole.assemble(-75);

    // Three parts, the first and last of every length up to 40 calls.
    for (size_t first = 0; first <= 40; ++first)
        for (size_t last = 0; last <= 40; ++last) {
            FrameStreams parts[3];
            for (size_t i = 0; i < calls.size(); ++i)
                apply(calls[i], parts[i < first ? 0 : (i + last < calls.size() ? 1 : 2)]);
            parts[0].append(parts[1]);
            parts[0].append(parts[2]);
            ASSERT_EQ(parts[0].assemble(-75), expected) << "parts of " << first << " and " << last << " calls";
        }
}

}  // namespace
}  // namespace encoder
