#pragma once
// The parental lock as Config.ini stores it: the code of at most 8 characters
// as two 32-bit words and the level inside a third, all three complemented.

#include <cstdint>
#include <string>

namespace setup {

// Fixed bits around the level's byte; bits 16 to 23 are clear.
inline constexpr std::uint32_t levelMask = 0x0A00C000u;

struct ParentalLockWords {
    std::int32_t codeLow;   // A: characters 0 to 3
    std::int32_t level;     // E: the encoded level
    std::int32_t codeHigh;  // B: characters 4 to 7
};

ParentalLockWords encodeParentalLock(const std::string& code, std::int32_t level);

// The code (up to its first zero character) and the level 0 to 255.
std::string decodeParentalCode(std::int32_t codeLow, std::int32_t codeHigh);
std::int32_t decodeParentalLevel(std::int32_t encodedLevel);

}  // namespace setup
