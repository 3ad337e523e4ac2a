#pragma once
// How often each block code occurs in a frame, counted as the decoder walks
// the frame's code tree: blocks count once the decoder has decoded them
// whole, so the census ends where the decoder abandons the frame.

#include <array>
#include <climits>
#include <cstdint>
#include <span>
#include <string_view>

namespace vk6 {

// Shapes in the order of subdivision (the code tree's levels), width x height.
enum class BlockShape { S8x8, S8x4, S4x8, S4x4, S4x2, S2x4, S2x2 };
inline constexpr std::array<std::string_view, 7> kShapeNames = {"8x8", "8x4", "4x8", "4x4", "4x2", "2x4", "2x2"};

// What a code does with a piece. A copy from the target is an internal copy
// of an intra frame, or a vector copy of a predicted frame that selects the
// new picture.
enum class BlockAction { Still, Spiral, CopyReference, CopyTarget, Dct, Split };
inline constexpr std::array<std::string_view, 6> kActionNames = {"still",       "spiral", "copy-reference",
                                                                 "copy-target", "dct",    "split"};

struct BlockCensus {
    std::array<std::array<uint64_t, kActionNames.size()>, kShapeNames.size()> counts{};
    std::array<uint64_t, 8> copyModes{};  // the symmetries of vector and internal copies

    uint64_t& count(BlockShape shape, BlockAction action) { return counts[size_t(shape)][size_t(action)]; }
    BlockCensus& operator+=(const BlockCensus& other);
};

// frame: the whole frame; height: the stream's picture height; blocks: how
// many blocks to count at most, in decoding order. Whether a block decodes
// does not depend on the pictures' pixels, so the frame is decoded on blank
// pictures.
BlockCensus countBlocks(std::span<const uint8_t> frame, int height, int blocks = INT_MAX);

}  // namespace vk6
