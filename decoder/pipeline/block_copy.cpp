#include "decoder/pipeline/block_copy.h"

#include <cstring>
#include <utility>

#include "decoder/pipeline/geometry_tables.h"

namespace decoder {

using format::kPictureWidth;
using format::kShapeSizes;
using format::ShapeSize;
using format::sourcePixel;
using format::SourcePixel;
using format::sourceSize;
using enum format::CopyShape;

namespace {

// One access of a copy routine: read source pair `index` or write destination
// pair `index` (pairs numbered row-major in their region).
struct PairAccess {
    bool write;
    uint8_t index;
};

struct AccessPlan {
    PairAccess accesses[64]{};
    int count = 0;
};

class PlanBuilder {
public:
    constexpr PlanBuilder(int group, int mode)
        : mode_(mode),
          width_(kShapeSizes[group].width),
          height_(kShapeSizes[group].height),
          sourcePairsPerRow_(sourceSize(group, mode).width / 2) {}

    constexpr void read(int row, int pair) {
        const int index = row * sourcePairsPerRow_ + pair;
        plan_.accesses[plan_.count++] = {false, uint8_t(index)};
        read_[index] = true;
    }
    constexpr void write(int row, int pair) {
        const int index = row * (width_ / 2) + pair;
        plan_.accesses[plan_.count++] = {true, uint8_t(index)};
        written_[index] = true;
    }
    // Writes every destination pair whose two source pixels have been read.
    constexpr void writeFilled() {
        for (int index = 0; index < width_ * height_ / 2; ++index) {
            if (!written_[index] && sourcesRead(index)) write(index / (width_ / 2), index % (width_ / 2));
        }
    }
    constexpr AccessPlan plan() const { return plan_; }

private:
    constexpr bool sourcesRead(int index) const {
        const int y = index / (width_ / 2), x = 2 * (index % (width_ / 2));
        for (int half = 0; half < 2; ++half) {
            const SourcePixel s = sourcePixel(mode_, x + half, y, width_, height_);
            if (!read_[s.y * sourcePairsPerRow_ + s.x / 2]) return false;
        }
        return true;
    }

    int mode_, width_, height_, sourcePairsPerRow_;
    bool read_[32]{};
    bool written_[32]{};
    AccessPlan plan_{};
};

// Modes 0 and 2: source pairs in row-major order, two per step.
constexpr void planPairedSteps(PlanBuilder& b, ShapeSize source) {
    const int perRow = source.width / 2;
    for (int index = 0; index < source.width * source.height / 2; index += 2) {
        b.read(index / perRow, index % perRow);
        b.read((index + 1) / perRow, (index + 1) % perRow);
        b.writeFilled();
    }
}

// Modes 4 to 7: source rows in pairs (bottom up for 4 and 5, top down for 6
// and 7), pair columns left to right within each row pair.
constexpr void planDiagonalSteps(PlanBuilder& b, int mode, ShapeSize source) {
    for (int step = 0; step < source.height / 2; ++step) {
        const int upper = mode <= 5 ? source.height - 1 - 2 * step : 2 * step;
        const int lower = mode <= 5 ? upper - 1 : upper + 1;
        for (int pair = 0; pair < source.width / 2; ++pair) {
            b.read(upper, pair);
            b.read(lower, pair);
            b.writeFilled();
        }
    }
}

constexpr void planReadAllThenWriteAll(PlanBuilder& b, ShapeSize source) {
    for (int row = 0; row < source.height; ++row)
        for (int pair = 0; pair < source.width / 2; ++pair) b.read(row, pair);
    b.writeFilled();
}

// Mode 2 of 2x4: rows 0, 1, 2 in, row 3 out, row 3 in, rows 2, 1, 0 out.
constexpr void planFlip2x4(PlanBuilder& b) {
    b.read(0, 0);
    b.read(1, 0);
    b.read(2, 0);
    b.write(3, 0);
    b.read(3, 0);
    b.write(2, 0);
    b.write(1, 0);
    b.write(0, 0);
}

// Modes 1 and 3 of 8-pixel-wide shapes: each row is written while the next
// one is read. Destination pair j of a row comes from source pair 3 - j.
constexpr void planPipelinedMirror8(PlanBuilder& b, int group, int mode, int height) {
    auto sourceRow = [&](int k) { return group == Shape8x8 && mode == 3 ? 7 - k : k; };
    auto destinationRow = [&](int k) { return mode == 1 ? sourceRow(k) : height - 1 - sourceRow(k); };
    for (int pair = 0; pair < 4; ++pair) b.read(sourceRow(0), pair);
    b.write(destinationRow(0), 2);
    b.write(destinationRow(0), 3);
    b.read(sourceRow(1), 1);
    b.write(destinationRow(0), 1);
    b.read(sourceRow(1), 0);
    b.write(destinationRow(0), 0);
    b.read(sourceRow(1), 2);
    b.read(sourceRow(1), 3);
    for (int k = 1; k <= height - 2; ++k) {
        b.write(destinationRow(k), 2);
        b.write(destinationRow(k), 3);
        b.read(sourceRow(k + 1), 1);
        b.write(destinationRow(k), 0);
        b.read(sourceRow(k + 1), 0);
        b.write(destinationRow(k), 1);
        b.read(sourceRow(k + 1), 2);
        b.read(sourceRow(k + 1), 3);
    }
    for (int pair : {2, 3, 0, 1}) b.write(destinationRow(height - 1), pair);
}

// Modes 1 and 3 of 4-pixel-wide shapes. Destination pair j comes from source
// pair 1 - j.
constexpr void planPipelinedMirror4(PlanBuilder& b, int mode, int height) {
    auto destinationRow = [&](int k) { return mode == 1 ? k : height - 1 - k; };
    b.read(0, 0);
    b.read(0, 1);
    b.read(1, 0);
    b.read(1, 1);
    b.write(destinationRow(0), 0);
    b.write(destinationRow(0), 1);
    for (int k = 1; k + 1 < height; k += 2) {
        b.read(k + 1, 1);
        b.write(destinationRow(k), 0);
        b.read(k + 1, 0);
        b.write(destinationRow(k), 1);
        if (k + 2 < height) {
            b.read(k + 2, 0);
            b.read(k + 2, 1);
            b.write(destinationRow(k + 1), 0);
            b.write(destinationRow(k + 1), 1);
        }
    }
    b.write(destinationRow(height - 1), 0);
    b.write(destinationRow(height - 1), 1);
}

constexpr AccessPlan makePlan(int group, int mode) {
    PlanBuilder b(group, mode);
    const ShapeSize source = sourceSize(group, mode);
    const bool narrow = group == Shape2x4 || group == Shape4x2 || group == Shape2x2;
    if (group == Shape2x4 && mode == 2) {
        planFlip2x4(b);
    } else if (mode == 0 || mode == 2) {
        planPairedSteps(b, source);
    } else if (mode >= 4) {
        planDiagonalSteps(b, mode, source);
    } else if (narrow) {
        planReadAllThenWriteAll(b, source);
    } else if (kShapeSizes[group].width == 8) {
        planPipelinedMirror8(b, group, mode, kShapeSizes[group].height);
    } else {
        planPipelinedMirror4(b, mode, kShapeSizes[group].height);
    }
    return b.plan();
}

// Every source pair is read once and every destination pair written once,
// after the reads it is made from.
constexpr bool planIsSound(int group, int mode) {
    const AccessPlan plan = makePlan(group, mode);
    const ShapeSize size = kShapeSizes[group], source = sourceSize(group, mode);
    int reads[32]{}, writes[32]{};
    for (int i = 0; i < plan.count; ++i) {
        const PairAccess a = plan.accesses[i];
        if (!a.write) {
            ++reads[a.index];
            continue;
        }
        ++writes[a.index];
        const int y = a.index / (size.width / 2), x = 2 * (a.index % (size.width / 2));
        for (int half = 0; half < 2; ++half) {
            const SourcePixel s = sourcePixel(mode, x + half, y, size.width, size.height);
            if (reads[s.y * (source.width / 2) + s.x / 2] != 1) return false;
        }
    }
    for (int i = 0; i < size.width * size.height / 2; ++i)
        if (reads[i] != 1 || writes[i] != 1) return false;
    return plan.count == size.width * size.height;
}

constexpr bool allPlansSound() {
    for (int group = 0; group < 7; ++group)
        for (int mode = 0; mode < 8; ++mode)
            if (!planIsSound(group, mode)) return false;
    return true;
}
static_assert(allPlansSound());

template <int Group, int Mode>
struct CopyRoutine {
    static constexpr AccessPlan kPlan = makePlan(Group, Mode);
    static constexpr ShapeSize kSize = kShapeSizes[Group];
    static constexpr ShapeSize kSource = sourceSize(Group, Mode);
    static constexpr int kSourcePairs = kSource.width * kSource.height / 2;

    static uint32_t loadPair(const uint16_t* pixel) {
        uint32_t pair;
        std::memcpy(&pair, pixel, 4);
        return pair;
    }
    static void storePair(uint16_t* pixel, uint32_t pair) { std::memcpy(pixel, &pair, 4); }

    // The pixel of a held source pair that feeds destination pixel (x, y).
    static constexpr int holder(int x, int y) {
        const SourcePixel s = sourcePixel(Mode, x, y, kSize.width, kSize.height);
        return 2 * (s.y * (kSource.width / 2) + s.x / 2) + (s.x & 1);
    }

    template <size_t Step>
    static void access(const uint16_t* source, uint16_t* destination, uint32_t* held) {
        constexpr PairAccess a = kPlan.accesses[Step];
        if constexpr (!a.write) {
            constexpr int row = a.index / (kSource.width / 2), pair = a.index % (kSource.width / 2);
            held[a.index] = loadPair(source + row * kPictureWidth + 2 * pair);
        } else {
            constexpr int row = a.index / (kSize.width / 2), pair = a.index % (kSize.width / 2);
            constexpr int low = holder(2 * pair, row), high = holder(2 * pair + 1, row);
            const uint32_t lowHalf = (held[low / 2] >> (16 * (low & 1))) & 0xFFFF;
            const uint32_t highHalf = (held[high / 2] >> (16 * (high & 1))) & 0xFFFF;
            storePair(destination + row * kPictureWidth + 2 * pair, lowHalf | (highHalf << 16));
        }
    }

    template <size_t... Steps>
    static void run(const uint16_t* source, uint16_t* destination, std::index_sequence<Steps...>) {
        uint32_t held[kSourcePairs];
        (access<Steps>(source, destination, held), ...);
    }

    static void copy(const uint16_t* source, uint16_t* destination) {
        run(source, destination, std::make_index_sequence<kPlan.count>{});
    }
};

template <size_t... Entries>
constexpr BlockCopyTable makeTable(std::index_sequence<Entries...>) {
    return {&CopyRoutine<Entries / 8, Entries % 8>::copy...};
}

constexpr BlockCopyTable kBlockCopyTable = makeTable(std::make_index_sequence<56>{});

}  // namespace

const BlockCopyTable& blockCopyTable() { return kBlockCopyTable; }

}  // namespace decoder
