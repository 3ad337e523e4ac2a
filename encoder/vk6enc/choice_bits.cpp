#include "encoder/vk6enc/choice_bits.h"

#include "format/vector_word.h"

namespace vk6enc {

namespace {

int bitsOf(bool intra, xqm::Level level, xqm::Choice choice) {
    const xqm::Code code = choiceCode(intra, level, choice);
    if (code.length < 0) return -1;
    if (choice == xqm::Choice::Spiral) return code.length + xqm::kSpiralIndexBits;
    if (choice != xqm::Choice::Vector) return code.length;
    if (!xqm::usesFarVector(level)) return code.length + xqm::kVectorWordBits;
    // Far vectors add the mode: 3 control bits, or in an intra frame 2 bits
    // and the word's top bit.
    return code.length + xqm::farModeBits(intra) + xqm::kVectorWordBits;
}

ChoiceBits buildChoiceBits() {
    ChoiceBits table{};
    for (int intra = 0; intra < 2; ++intra)
        for (int level = 0; level < xqm::kLevels; ++level)
            for (int choice = 0; choice < xqm::kChoices; ++choice)
                table.bits[intra][level][choice] = bitsOf(intra != 0, xqm::Level(level), xqm::Choice(choice));
    return table;
}

}  // namespace

const ChoiceBits kChoiceBits = buildChoiceBits();

}  // namespace vk6enc
