#pragma once
// Finds where in the part of an intra frame already decoded the source shows
// the same 8x8 pixels again (text, tiles, repeated patterns, flat areas), at
// any pixel position: every 8x8 window of the source has a hash, and a table
// keeps the latest window of each hash once the decoder has passed it.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "vk6enc/copy_codes.h"
#include "vk6enc/picture_planes.h"

namespace vk6enc {

class RepeatFinder {
public:
    // Hashes every window of the frame and forgets the last frame's.
    void start(const RgbPlanes& source);
    // Windows whose top row is at most `row` become findable.
    void addRowsUpTo(int row);
    // The latest findable window with the same pixels as the block's, if any.
    std::optional<Point> find(Point block) const;

private:
    static constexpr int kColumns = kWidth - 7;  // window positions per row
    static constexpr int kTableBits = 20;        // a few times the windows of a picture

    static uint32_t slot(uint32_t hash) { return (hash * 2654435761u) >> (32 - kTableBits); }

    std::vector<uint32_t> hashes_;  // per window, row-major
    std::vector<int32_t> latest_;   // 1 << kTableBits slots: window index + 1, 0 when empty
    int windowRows_ = 0;
    int nextRow_ = 0;
};

}  // namespace vk6enc
