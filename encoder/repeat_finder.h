#pragma once
// Finds where in the part of an intra frame already decoded the source shows
// the same square of pixels again (text, tiles, repeated patterns, flat
// areas), at any pixel position: every window of the source has a hash, and
// a table keeps the latest window of each hash once the decoder has passed it.

#include <cstdint>
#include <optional>
#include <vector>

#include "encoder/copy_codes.h"
#include "encoder/picture_planes.h"

namespace encoder {

// The hash of every size x size window of a frame's source, computed once
// and read by every finder of the frame.
class WindowHashes {
public:
    explicit WindowHashes(int size) : size_(size), columns_(kWidth - size + 1) {}

    void compute(const RgbPlanes& source);

    int columns() const { return columns_; }  // window positions per row
    int rows() const { return rows_; }
    uint32_t at(int window) const { return hashes_[size_t(window)]; }  // row-major index

private:
    int size_;
    int columns_;
    int rows_ = 0;
    std::vector<uint32_t> hashes_;
};

class RepeatFinder {
public:
    // Starts with no window findable. `hashes` must outlive the finder.
    explicit RepeatFinder(const WindowHashes& hashes);

    // Windows whose top row is at most `row` become findable; rows only ever
    // get added, so a finder that skips ahead ends as one that went row by row.
    void addRowsUpTo(int row);
    // The latest findable window with the same pixels as the one at `corner`, if any.
    std::optional<Point> find(Point corner) const;

private:
    static constexpr int kTableBits = 20;  // a few times the windows of a picture

    static uint32_t slot(uint32_t hash) { return (hash * 2654435761u) >> (32 - kTableBits); }

    const WindowHashes& hashes_;
    std::vector<int32_t> latest_;  // 1 << kTableBits slots: window index + 1, 0 when empty
    int nextRow_ = 0;
};

}  // namespace encoder
