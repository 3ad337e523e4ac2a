#include "encoder/repeat_finder.h"

#include <algorithm>

namespace encoder {

namespace {

// Polynomial hashes in wrapping 32-bit arithmetic: the same on every build.
constexpr uint32_t kAlong = 0x01000193u, kDown = 0x9E3779B1u;

uint32_t power(uint32_t base, int exponent) {
    uint32_t p = 1;
    for (int i = 0; i < exponent; ++i) p *= base;
    return p;
}

uint32_t pixelAt(const RgbPlanes& source, size_t i) {
    return source.red[i] | uint32_t(source.green[i]) << 8 | uint32_t(source.blue[i]) << 16;
}

}  // namespace

void WindowHashes::compute(const RgbPlanes& source) {
    rows_ = std::max(source.rows - size_ + 1, 0);
    const uint32_t alongOut = power(kAlong, size_), downOut = power(kDown, size_);
    // Each row's runs of `size` pixels, then `size` of those down each column.
    std::vector<uint32_t> runs(size_t(source.rows) * columns_);
    for (int y = 0; y < source.rows; ++y) {
        uint32_t hash = 0;
        for (int x = 0; x < kWidth; ++x) {
            hash = hash * kAlong + pixelAt(source, source.at(x, y));
            if (x >= size_) hash -= alongOut * pixelAt(source, source.at(x - size_, y));
            if (x >= size_ - 1) runs[size_t(y) * columns_ + x - size_ + 1] = hash;
        }
    }
    hashes_.assign(size_t(rows_) * columns_, 0);
    for (int x = 0; x < columns_; ++x) {
        uint32_t hash = 0;
        for (int y = 0; y < source.rows; ++y) {
            hash = hash * kDown + runs[size_t(y) * columns_ + x];
            if (y >= size_) hash -= downOut * runs[size_t(y - size_) * columns_ + x];
            if (y >= size_ - 1) hashes_[size_t(y - size_ + 1) * columns_ + x] = hash;
        }
    }
}

RepeatFinder::RepeatFinder(const WindowHashes& hashes) : hashes_(hashes), latest_(size_t{1} << kTableBits, 0) {}

void RepeatFinder::addRowsUpTo(int row) {
    const int columns = hashes_.columns();
    for (; nextRow_ <= row && nextRow_ < hashes_.rows(); ++nextRow_)
        for (int x = 0; x < columns; ++x) {
            const int32_t window = nextRow_ * columns + x;
            latest_[slot(hashes_.at(window))] = window + 1;
        }
}

std::optional<Point> RepeatFinder::find(Point corner) const {
    const int columns = hashes_.columns();
    const uint32_t hash = hashes_.at(corner.y * columns + corner.x);
    const int32_t entry = latest_[slot(hash)];
    if (entry == 0 || hashes_.at(entry - 1) != hash) return std::nullopt;
    return Point{(entry - 1) % columns, (entry - 1) / columns};
}

}  // namespace encoder
