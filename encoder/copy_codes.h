#pragma once
// Which spiral index or vector word makes the decoder copy a piece from a
// given source position: the decoder's addressing rules run backwards.
// Positions are pixel coordinates of the source region's top-left corner.

#include <array>
#include <cstdint>
#include <optional>

#include "encoder/choice_bits.h"

namespace encoder {

struct Point {
    int x;
    int y;
    bool operator==(const Point&) const = default;
};

class CopyCodes {
public:
    CopyCodes();

    // Spiral copies are anchored at the piece's own corner.
    std::optional<uint16_t> spiralIndex(Point piece, Point source) const {
        const int dx = source.x - piece.x, dy = source.y - piece.y;
        if (dx < -31 || dx > 32 || dy < -31 || dy > 32) return std::nullopt;
        return static_cast<uint16_t>(spiralByDisplacement_[(dy + 31) * 64 + dx + 31]);
    }

    // The vector word that copies into `piece` of the block at `block` from
    // `source`, in the previous picture or (fromTarget) the new one. In an
    // intra frame the lowest mode bit rides in a far word's top bit.
    std::optional<uint16_t> vectorWord(bool intra, format::Level level, Point block, Point source, bool fromTarget,
                                       int mode) const;

private:
    std::array<int16_t, 64 * 64> spiralByDisplacement_;  // [dy + 31][dx + 31], -1 where none
};

}  // namespace encoder
