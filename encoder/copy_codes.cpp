#include "encoder/copy_codes.h"

#include <memory>

#include "decoder/vk6_internal.h"
#include "format/vector_word.h"

namespace encoder {

namespace {

// The far word's horizontal field: the one that gives sourceX from blockX.
std::optional<int> farColumnField(int blockX, int sourceX) {
    for (int vx : {blockX + 128 - sourceX, blockX + 128 - sourceX - format::kPictureWidth,
                   blockX + 128 - sourceX + format::kPictureWidth})
        if (vx >= 0 && vx <= 255 && format::farSourceColumn(blockX, vx) == sourceX) return vx;
    return std::nullopt;
}

}  // namespace

CopyCodes::CopyCodes() {
    spiralByDisplacement_.fill(-1);
    auto tables = std::make_unique<decoder::GeometryTables>();
    decoder::buildDisplacementTables(*tables);
    for (int index = 0; index < format::kDisplacements; ++index) {
        // offset = dy x 640 + dx with dx, dy in -31..32
        const int32_t shifted = tables->spiralOffsets[index] + 31 * format::kPictureWidth + 31;
        const int dy = shifted / format::kPictureWidth - 31, dx = shifted % format::kPictureWidth - 31;
        spiralByDisplacement_[(dy + 31) * 64 + dx + 31] = static_cast<int16_t>(index);
    }
}

std::optional<uint16_t> CopyCodes::vectorWord(bool intra, format::Level level, Point block, Point source,
                                              bool fromTarget, int mode) const {
    if (intra && !fromTarget) return std::nullopt;
    if (format::usesFarVector(level)) {
        // vy: how far above the row that vy 0 gives the source lies.
        const int vy = int(format::farSourceRow(block.y, 0, fromTarget, level == format::Level::Block8x8)) - source.y;
        const std::optional<int> vx = farColumnField(block.x, source.x);
        if (vy < 0 || vy > 127 || !vx) return std::nullopt;
        const int top = intra ? (mode & 1) : (fromTarget ? 1 : 0);
        return format::packFar(*vx, vy, top);
    }
    const int dx = source.x - block.x, dy = source.y - block.y;
    int index;
    if (fromTarget) {  // IntraNearOffsets: dy 6..-25, dx 63..-64
        if (dy > 6 || dy < -25 || dx > 63 || dx < -64) return std::nullopt;
        index = (6 - dy) * 128 + (63 - dx);
    } else {  // NearOffsets: dy and dx 31..-32
        if (dy > 31 || dy < -32 || dx > 31 || dx < -32) return std::nullopt;
        index = (31 - dy) * 64 + (31 - dx);
    }
    const int top = (fromTarget && !intra) ? 1 : 0;
    return format::packNear(index, mode, top);
}

}  // namespace encoder
