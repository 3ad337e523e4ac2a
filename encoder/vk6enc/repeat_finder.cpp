#include "vk6enc/repeat_finder.h"

#include <algorithm>

namespace vk6enc {

namespace {

// Polynomial hashes in wrapping 32-bit arithmetic: the same on every build.
constexpr uint32_t kAlong = 0x01000193u, kDown = 0x9E3779B1u;

constexpr uint32_t power8(uint32_t base) {
    uint32_t p = 1;
    for (int i = 0; i < 8; ++i) p *= base;
    return p;
}

}  // namespace

void RepeatFinder::start(const RgbPlanes& source) {
    windowRows_ = source.rows - 7;
    nextRow_ = 0;
    latest_.assign(size_t{1} << kTableBits, 0);
    // Each row's 8-pixel runs, then 8 of those down each column.
    std::vector<uint32_t> runs(size_t(source.rows) * kColumns);
    for (int y = 0; y < source.rows; ++y) {
        uint32_t hash = 0;
        for (int x = 0; x < kWidth; ++x) {
            const size_t i = source.at(x, y);
            const uint32_t pixel = source.red[i] | uint32_t(source.green[i]) << 8 | uint32_t(source.blue[i]) << 16;
            hash = hash * kAlong + pixel;
            if (x >= 8) {
                const size_t o = source.at(x - 8, y);
                hash -=
                    power8(kAlong) * (source.red[o] | uint32_t(source.green[o]) << 8 | uint32_t(source.blue[o]) << 16);
            }
            if (x >= 7) runs[size_t(y) * kColumns + x - 7] = hash;
        }
    }
    hashes_.assign(size_t(std::max(windowRows_, 0)) * kColumns, 0);
    for (int x = 0; x < kColumns; ++x) {
        uint32_t hash = 0;
        for (int y = 0; y < source.rows; ++y) {
            hash = hash * kDown + runs[size_t(y) * kColumns + x];
            if (y >= 8) hash -= power8(kDown) * runs[size_t(y - 8) * kColumns + x];
            if (y >= 7) hashes_[size_t(y - 7) * kColumns + x] = hash;
        }
    }
}

void RepeatFinder::addRowsUpTo(int row) {
    for (; nextRow_ <= row && nextRow_ < windowRows_; ++nextRow_)
        for (int x = 0; x < kColumns; ++x) {
            const int32_t window = nextRow_ * kColumns + x;
            latest_[slot(hashes_[size_t(window)])] = window + 1;
        }
}

std::optional<Point> RepeatFinder::find(Point block) const {
    const uint32_t hash = hashes_[size_t(block.y) * kColumns + block.x];
    const int32_t entry = latest_[slot(hash)];
    if (entry == 0 || hashes_[size_t(entry - 1)] != hash) return std::nullopt;
    return Point{(entry - 1) % kColumns, (entry - 1) / kColumns};
}

}  // namespace vk6enc
