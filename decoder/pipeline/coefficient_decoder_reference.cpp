// The coefficient codes read one by one, as their table describes them: the
// plain version the table-driven decoder is checked against.

#include "decoder/pipeline/coefficient_decoder.h"

namespace decoder {

using format::DecodeError;
using enum format::CoefficientCode;

namespace {

using format::byteLevel;
using format::kSmallLevels;

int32_t nibbleLevel(uint32_t nibble) { return format::kNibbleLevels[nibble]; }

// Taking a nibble: the cell's symbol, the low half (the high half is the next one).
uint32_t take(const uint8_t*& cell) { return *cell++ & 15u; }

// One component's decoding state: the scan position, the running mask and the
// tables of this component.
class ComponentDecoder {
public:
    ComponentDecoder(int component, const GeometryTables& geometry, const DequantTables& dequant, int32_t* coefficients)
        : offset_(geometry.coefficientOffset[component].data()),
          positionMask_(geometry.positionMask[component].data()),
          factor_(dequant[component].data()),
          negatedFactor_(dequant[component + 3].data()),
          coefficients_(coefficients) {}

    // cursor is left on the first symbol after the block, or after the last
    // symbol read of a malformed one.
    DecodeError decode(const uint8_t*& cursor, uint32_t& mask) {
        const uint8_t* c = cursor;
        {
            const uint32_t high = take(c);
            const uint32_t low = take(c);
            write(byteLevel(high, low));
        }
        for (;;) {
            const uint32_t code = take(c);
            int count = 0;  // values the code writes
            switch (code) {
                case EndOfBlock:
                    cursor = c;
                    mask = mask_;
                    return DecodeError::None;
                case Skip5:
                case Skip1:
                    position_ += code == Skip5 ? 5 : 1;
                    if (position_ > kSkipLimit) return reject(cursor, c, DecodeError::TooManySkips);
                    continue;
                case Zero1Plus:
                case Zero1Minus:
                case Zero2Plus:
                case Zero2Minus:
                case Zero3Plus:
                case Zero3Minus: {
                    const int zeros = int(code - Zero1Plus) / 2 + 1;
                    if (!fits(zeros, 1)) return reject(cursor, c, DecodeError::CoefficientPast63);
                    position_ += zeros;
                    writeUnit((code & 1) != 0);
                    count = 1;
                    break;
                }
                case RunSmall: {
                    const uint32_t a = take(c);
                    const uint32_t s = a & 3, run = (a >> 2) & 3;
                    const uint32_t first = take(c);
                    const uint32_t second = s >= 1 ? take(c) : 0;
                    const uint32_t third = s == 3 ? take(c) : 0;
                    count = int(2 + s);
                    if (!fits(int(run) + 1, count)) return reject(cursor, c, DecodeError::CoefficientPast63);
                    position_ += int(run) + 1;
                    const uint32_t fields[5] = {first >> 2, first & 3, second >> 2, second & 3, third >> 2};
                    for (int i = 0; i < count; ++i) write(kSmallLevels[fields[i]]);
                    break;
                }
                case RunNibble: {
                    const uint32_t a = take(c);
                    const uint32_t s = a & 3, run = (a >> 2) & 3;
                    count = int(s + 1);
                    if (!fits(int(run) + 1, count)) return reject(cursor, c, DecodeError::CoefficientPast63);
                    position_ += int(run) + 1;
                    for (int i = 0; i < count; ++i) write(nibbleLevel(take(c)));
                    break;
                }
                case SmallPair: {
                    const uint32_t pair = take(c);
                    count = 2;
                    if (!fits(0, count)) return reject(cursor, c, DecodeError::CoefficientPast63);
                    write(kSmallLevels[pair >> 2]);
                    write(kSmallLevels[pair & 3]);
                    break;
                }
                case Nibble1:
                case Nibble2:
                case Nibble3:
                    count = int(code - Nibble1) + 1;
                    if (!fits(0, count)) return reject(cursor, c, DecodeError::CoefficientPast63);
                    for (int i = 0; i < count; ++i) write(nibbleLevel(take(c)));
                    break;
                case Literal: {
                    if (!fits(0, 1)) return reject(cursor, c, DecodeError::CoefficientPast63);
                    const uint32_t high = take(c);
                    const uint32_t low = take(c);
                    write(byteLevel(high, low));
                    break;
                }
            }
            // End by count: the block is complete and the next nibble is not
            // a code of this block.
            if (position_ == 64) {
                cursor = c;
                mask = mask_;
                return DecodeError::None;
            }
        }
    }

private:
    static DecodeError reject(const uint8_t*& cursor, const uint8_t* c, DecodeError error) {
        cursor = c;
        return error;
    }

    bool fits(int zeros, int values) const { return position_ + zeros + values <= 64; }

    void write(int32_t value) {
        coefficients_[offset_[position_]] = value * factor_[position_];
        mask_ |= positionMask_[position_];
        ++position_;
    }

    void writeUnit(bool negative) {
        coefficients_[offset_[position_]] = negative ? negatedFactor_[position_] : factor_[position_];
        mask_ |= positionMask_[position_];
        ++position_;
    }

    const uint32_t* offset_;
    const uint32_t* positionMask_;
    const int32_t* factor_;
    const int32_t* negatedFactor_;
    int32_t* coefficients_;
    int position_ = 0;
    uint32_t mask_ = 0;
};

}  // namespace

DecodeError decodeCoefficientBlocksReference(NibbleWindow& window, const GeometryTables& geometry,
                                             const DequantTables& dequant, CoefficientBlocks& blocks) {
    blocks.values.fill(0);
    window.refillIfPastMark();
    const uint8_t* cursor = window.readCursor();
    DecodeError error = DecodeError::None;
    for (int component = 0; component < 3 && error == DecodeError::None; ++component) {
        ComponentDecoder decoder(component, geometry, dequant, blocks.values.data());
        error = decoder.decode(cursor, blocks.blockMask[component]);
    }
    window.setReadCursor(cursor);
    return error;
}

}  // namespace decoder
