#pragma once
// The picture every XQM6 frame is decoded into: rows of 640 pixels, as many as
// whole 8x8 block rows take to cover the video's height, and at least one
// block row; only the first `height` rows are shown.

#include <cstdint>

namespace format {

inline constexpr int kPictureWidth = 640;
inline constexpr int kBlocksPerRow = kPictureWidth / 8;

constexpr int64_t blockRows(int64_t height) { return height > 8 ? (height + 7) / 8 : 1; }
constexpr int64_t pictureRows(int64_t height) { return 8 * blockRows(height); }

}  // namespace format
