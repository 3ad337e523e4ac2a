#include "vk6enc/choice_bits.h"

#include "format/vector_word.h"

namespace vk6enc {

namespace {

int bitsOf(bool intra, Level level, Choice choice) {
    const Code code = choiceCode(intra, level, choice);
    if (code.length < 0) return -1;
    if (choice == Choice::Spiral) return code.length + xqm::kSpiralIndexBits;
    if (choice != Choice::Vector) return code.length;
    if (!usesFarVector(level)) return code.length + xqm::kVectorWordBits;
    // Far vectors add the mode: 3 control bits, or in an intra frame 2 bits
    // and the word's top bit.
    return code.length + xqm::farModeBits(intra) + xqm::kVectorWordBits;
}

ChoiceBits buildChoiceBits() {
    ChoiceBits table{};
    for (int intra = 0; intra < 2; ++intra)
        for (int level = 0; level < kLevels; ++level)
            for (int choice = 0; choice < kChoices; ++choice)
                table.bits[intra][level][choice] = bitsOf(intra != 0, Level(level), Choice(choice));
    return table;
}

}  // namespace

const ChoiceBits kChoiceBits = buildChoiceBits();

}  // namespace vk6enc
