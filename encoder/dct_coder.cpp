#include "encoder/dct_coder.h"

#include <algorithm>

#include "decoder/vk6_internal.h"
#include "encoder/forward_dct.h"

namespace encoder {

namespace {

// Coefficients times the AAN scale (14-bit) against dequantised steps in the
// samples' 1/64 unit: 2^13 x 64.
constexpr int kStepShift = 19;

int16_t quantiseLevel(int64_t scaled, int64_t step, int64_t rounding, int low) {
    const int64_t magnitude = (scaled < 0 ? -scaled : scaled) + rounding;
    if (magnitude < step) return 0;  // most levels: no division
    const int64_t level = magnitude / step;
    return static_cast<int16_t>(scaled < 0 ? std::max<int64_t>(-level, low) : std::min<int64_t>(level, 127));
}

}  // namespace

DctCoder::DctCoder(const ColourMapping& mapping, int quality, int acRounding)
    : mapping_(mapping), acRounding_(acRounding) {
    decoder::buildDequantTables(quality, dequant_);
}

void DctCoder::quantise(const RgbPlanes& source, int x, int y, DctBlock& out) const {
    std::array<std::array<int32_t, 64>, 3> samples;
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 8; ++column) {
            const size_t i = source.at(x + column, y + row);
            const Samples s = mapping_.samples(source.red[i], source.green[i], source.blue[i]);
            samples[0][8 * row + column] = s.y;
            samples[1][8 * row + column] = s.cb;
            samples[2][8 * row + column] = s.cr;
        }
    for (int component = 0; component < 3; ++component) {
        std::array<int32_t, 64> coefficients;
        forwardDct(samples[component], coefficients);
        ComponentLevels& levels = out.levels[component];
        for (int position = 0; position < 64; ++position) {
            const int natural = decoder::kZigzagToNatural[position];
            const int64_t scaled = int64_t{coefficients[natural]} * decoder::AanScale[natural];
            const int64_t step = int64_t{dequant_[component][position]} << kStepShift;
            const int64_t rounding = position == 0 ? step / 2 : (step * acRounding_) >> 8;
            levels[position] = quantiseLevel(scaled, step, rounding, position == 0 ? -128 : -127);
        }
    }
    fitWindowHeadroom(out);
}

void fitWindowHeadroom(DctBlock& block) {
    constexpr int kMostNibbles = 511;
    std::array<int, 3> nibbles;
    for (int component = 0; component < 3; ++component) nibbles[component] = codedNibbles(block.levels[component]);
    while (nibbles[0] + nibbles[1] + nibbles[2] > kMostNibbles) {
        const int widest = int(std::max_element(nibbles.begin(), nibbles.end()) - nibbles.begin());
        ComponentLevels& levels = block.levels[widest];
        int last = 63;
        while (last > 0 && levels[last] == 0) --last;
        levels[last] = 0;
        nibbles[widest] = codedNibbles(levels);
    }
    block.nibbles = nibbles[0] + nibbles[1] + nibbles[2];
}

void DctCoder::write(const DctBlock& block, NibbleWriter& out) const {
    for (const ComponentLevels& levels : block.levels) writeComponent(levels, out);
}

void DctCoder::reconstruct(const DctBlock& block, const decoder::BlockKernels& kernels,
                           const decoder::ColourTables& colour, uint16_t* destination) const {
    decoder::CoefficientBlocks coefficients{};
    for (int component = 0; component < 3; ++component) {
        uint32_t mask = 0;
        for (int position = 0; position < 64; ++position) {
            const int level = block.levels[component][position];
            // The DC is always written; other positions only when coded.
            if (position != 0 && level == 0) continue;
            const int natural = decoder::kZigzagToNatural[position];
            coefficients.values[64 * component + natural] = level * dequant_[component][position];
            mask |= (1u << (8 + natural / 8)) | (1u << (natural % 8));
        }
        coefficients.blockMask[component] = mask;
    }
    decoder::reconstructDctBlock(kernels, colour, coefficients, destination);
}

}  // namespace encoder
