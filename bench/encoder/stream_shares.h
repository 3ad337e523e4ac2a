#pragma once
// Where the encoder's bytes go: how much of its frames each of the four
// streams takes (control and copy codes, vector words, spiral indices, DCT
// nibbles), apart for intra and predicted frames.

#include <array>
#include <cstdint>
#include <span>

namespace bench {

class StreamShares {
public:
    void add(std::span<const uint8_t> frame);

    // A row per kind of frame seen: frames, bytes a frame, and each stream's
    // share of the bytes; "rest" is the header and anything between streams.
    static void printHeading();
    void printRows(const char* clip) const;

private:
    struct Kind {
        int frames = 0;
        double bytes = 0;
        std::array<double, 4> streams{};
    };
    static void printRow(const char* clip, const char* kind, const Kind& sums);

    Kind intra_, predicted_;
};

}  // namespace bench
