#include "encoder/coefficient_coder.h"

#include <cstdlib>

#include "format/coefficient_codes.h"

namespace encoder {

namespace {

using format::CoefficientCode;

// One code of a coding: its code nibble, the zeros it skips, the values it writes.
struct Step {
    uint8_t code = format::EndOfBlock;
    uint8_t zeros = 0;
    uint8_t values = 0;
};

bool isSmall(int level) { return level == 1 || level == 2 || level == -1 || level == -2; }
bool fitsNibble(int level) { return level != 0 && level >= -8 && level <= 8; }

// SmallLevels index: +1, +2, -2, -1.
int smallIndex(int level) { return level == 1 ? 0 : level == 2 ? 1 : level == -2 ? 2 : 3; }
// NibbleLevels index: +1..+8 as 0..7, -8..-1 as 8..15.
int nibbleIndex(int level) { return level > 0 ? level - 1 : level + 16; }

// The nibbles a code takes that writes `values` values (its s field, for the
// run codes, follows from them).
int codeNibbles(CoefficientCode code, int values) {
    const int s = code == format::RunSmall ? values - 2 : code == format::RunNibble ? values - 1 : 0;
    return format::codeShape(code, uint32_t(s)).cells;
}

struct Plan {
    std::array<int, 65> cost;  // nibbles from position p to the block's end
    std::array<Step, 65> step;
};

// Shortest coding from each position to the end, built from the back.
void plan(const ComponentLevels& levels, Plan& out) {
    int last = 0;
    for (int p = 63; p > 0; --p)
        if (levels[p] != 0) {
            last = p;
            break;
        }
    out.cost[64] = 0;
    for (int p = 63; p > last; --p) {
        out.cost[p] = 1;
        out.step[p] = Step{};
    }
    for (int p = last; p >= 1; --p) {
        int zeros = 0;
        while (levels[p + zeros] == 0) ++zeros;  // stops at `last` at the latest
        int best = 1 << 20;
        Step chosen;
        auto consider = [&](CoefficientCode code, int skipped, int values) {
            const int total = codeNibbles(code, values) + out.cost[p + skipped + values];
            if (total < best) {
                best = total;
                chosen = Step{uint8_t(code), uint8_t(skipped), uint8_t(values)};
            }
        };
        if (zeros >= 5) consider(format::Skip5, 5, 0);
        if (zeros >= 1) consider(format::Skip1, 1, 0);
        const int first = p + zeros;  // the next non-zero level
        if (zeros >= 1 && zeros <= 3 && std::abs(levels[first]) == 1)
            consider(CoefficientCode(format::Zero1Plus + 2 * (zeros - 1) + (levels[first] < 0)), zeros, 1);
        if (zeros <= 4) {
            int small = 0, nibble = 0;
            while (first + small < 64 && small < 5 && isSmall(levels[first + small])) ++small;
            while (first + nibble < 64 && nibble < 4 && fitsNibble(levels[first + nibble])) ++nibble;
            if (zeros >= 1) {
                for (int n = 2; n <= small; ++n) consider(format::RunSmall, zeros, n);
                for (int n = 1; n <= nibble; ++n) consider(format::RunNibble, zeros, n);
            } else {
                if (small >= 2) consider(format::SmallPair, 0, 2);
                for (int n = 1; n <= nibble && n <= 3; ++n) consider(CoefficientCode(format::Nibble1 + n - 1), 0, n);
                consider(format::Literal, 0, 1);
            }
        }
        out.cost[p] = best;
        out.step[p] = chosen;
    }
}

void writeStep(const ComponentLevels& levels, int p, const Step& step, NibbleWriter& out) {
    out.put(step.code);
    const int16_t* v = levels.data() + p + step.zeros;
    switch (step.code) {
        case format::RunSmall: {
            const int s = step.values - 2;
            out.put(((step.zeros - 1) << 2) | s);
            out.put(smallIndex(v[0]) << 2 | smallIndex(v[1]));
            if (s >= 1) out.put(smallIndex(v[2]) << 2 | (s >= 2 ? smallIndex(v[3]) : 0));
            if (s == 3) out.put(smallIndex(v[4]) << 2);
            break;
        }
        case format::RunNibble:
            out.put(((step.zeros - 1) << 2) | (step.values - 1));
            for (int i = 0; i < step.values; ++i) out.put(nibbleIndex(v[i]));
            break;
        case format::SmallPair: out.put(smallIndex(v[0]) << 2 | smallIndex(v[1])); break;
        case format::Nibble1:
        case format::Nibble2:
        case format::Nibble3:
            for (int i = 0; i < step.values; ++i) out.put(nibbleIndex(v[i]));
            break;
        case format::Literal: out.putByte(v[0]); break;
        default: break;  // the other codes carry no operands
    }
}

}  // namespace

int codedNibbles(const ComponentLevels& levels) {
    Plan coding;
    plan(levels, coding);
    return 2 + coding.cost[1];
}

int writeComponent(const ComponentLevels& levels, NibbleWriter& out) {
    Plan coding;
    plan(levels, coding);
    out.putByte(levels[0]);
    int p = 1;
    while (p < 64) {
        const Step& step = coding.step[p];
        writeStep(levels, p, step, out);
        if (step.code == format::EndOfBlock) break;
        p += step.zeros + step.values;
    }
    return 2 + coding.cost[1];
}

}  // namespace encoder
