#include "encoder/vk6enc/copy_codes.h"

#include <memory>

#include "decoder/vk6_internal.h"
#include "format/vector_word.h"

namespace vk6enc {

namespace {

// The far word's horizontal field: the one that gives sourceX from blockX.
std::optional<int> farColumnField(int blockX, int sourceX) {
    for (int vx : {blockX + 128 - sourceX, blockX + 128 - sourceX - xqm::kPictureWidth,
                   blockX + 128 - sourceX + xqm::kPictureWidth})
        if (vx >= 0 && vx <= 255 && xqm::farSourceColumn(blockX, vx) == sourceX) return vx;
    return std::nullopt;
}

}  // namespace

CopyCodes::CopyCodes() {
    spiralByDisplacement_.fill(-1);
    auto tables = std::make_unique<vk6::GeometryTables>();
    vk6::buildDisplacementTables(*tables);
    for (int index = 0; index < xqm::kDisplacements; ++index) {
        // offset = dy x 640 + dx with dx, dy in -31..32
        const int32_t shifted = tables->spiralOffsets[index] + 31 * xqm::kPictureWidth + 31;
        const int dy = shifted / xqm::kPictureWidth - 31, dx = shifted % xqm::kPictureWidth - 31;
        spiralByDisplacement_[(dy + 31) * 64 + dx + 31] = static_cast<int16_t>(index);
    }
}

std::optional<uint16_t> CopyCodes::vectorWord(bool intra, xqm::Level level, Point block, Point source, bool fromTarget,
                                              int mode) const {
    if (intra && !fromTarget) return std::nullopt;
    if (xqm::usesFarVector(level)) {
        // vy: how far above the row that vy 0 gives the source lies.
        const int vy = int(xqm::farSourceRow(block.y, 0, fromTarget, level == xqm::Level::Block8x8)) - source.y;
        const std::optional<int> vx = farColumnField(block.x, source.x);
        if (vy < 0 || vy > 127 || !vx) return std::nullopt;
        const int top = intra ? (mode & 1) : (fromTarget ? 1 : 0);
        return xqm::packFar(*vx, vy, top);
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
    return xqm::packNear(index, mode, top);
}

}  // namespace vk6enc
