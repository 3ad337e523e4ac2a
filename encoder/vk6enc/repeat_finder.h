#pragma once
// Finds where in the part of an intra frame already decoded the source shows
// the same square of pixels again (text, tiles, repeated patterns, flat
// areas), at any pixel position: every window of the source has a hash, and
// a table keeps the latest window of each hash once the decoder has passed it.

#include <cstdint>
#include <optional>
#include <vector>

#include "vk6enc/copy_codes.h"
#include "vk6enc/picture_planes.h"

namespace vk6enc {

class RepeatFinder {
public:
    // Windows of size x size pixels.
    explicit RepeatFinder(int size) : size_(size), columns_(kWidth - size + 1) {}

    // Hashes every window of the frame and forgets the last frame's.
    void start(const RgbPlanes& source);
    // Windows whose top row is at most `row` become findable.
    void addRowsUpTo(int row);
    // The latest findable window with the same pixels as the one at `corner`, if any.
    std::optional<Point> find(Point corner) const;

private:
    static constexpr int kTableBits = 20;  // a few times the windows of a picture

    static uint32_t slot(uint32_t hash) { return (hash * 2654435761u) >> (32 - kTableBits); }

    int size_;
    int columns_;                   // window positions per row
    std::vector<uint32_t> hashes_;  // per window, row-major
    std::vector<int32_t> latest_;   // 1 << kTableBits slots: window index + 1, 0 when empty
    int windowRows_ = 0;
    int nextRow_ = 0;
};

}  // namespace vk6enc
