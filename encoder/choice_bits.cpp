#include "encoder/choice_bits.h"

#include "format/vector_word.h"

namespace encoder {

namespace {

int bitsOf(bool intra, format::Level level, format::Choice choice) {
    const format::Code code = choiceCode(intra, level, choice);
    if (code.length < 0) return -1;
    if (choice == format::Choice::Spiral) return code.length + format::kSpiralIndexBits;
    if (choice != format::Choice::Vector) return code.length;
    if (!format::usesFarVector(level)) return code.length + format::kVectorWordBits;
    // Far vectors add the mode: 3 control bits, or in an intra frame 2 bits
    // and the word's top bit.
    return code.length + format::farModeBits(intra) + format::kVectorWordBits;
}

ChoiceBits buildChoiceBits() {
    ChoiceBits table{};
    for (int intra = 0; intra < 2; ++intra)
        for (int level = 0; level < format::kLevels; ++level)
            for (int choice = 0; choice < format::kChoices; ++choice)
                table.bits[intra][level][choice] = bitsOf(intra != 0, format::Level(level), format::Choice(choice));
    return table;
}

}  // namespace

const ChoiceBits kChoiceBits = buildChoiceBits();

}  // namespace encoder
