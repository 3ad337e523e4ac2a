#include "setup/settings/parental_lock.h"

namespace setup {

namespace {

// Four shifted characters as one word. The bytes are added as signed values,
// so a byte of 128 or more lowers the byte above it by one: the stored format
// depends on that.
std::uint32_t packSigned(const std::uint8_t* c) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v * 256u + static_cast<std::uint32_t>(static_cast<std::int8_t>(c[i]));
    return v;
}

std::int32_t asSigned(std::uint32_t v) { return static_cast<std::int32_t>(v); }

}  // namespace

ParentalLockWords encodeParentalLock(const std::string& code, std::int32_t level) {
    std::uint8_t c[8] = {};
    for (std::size_t i = 0; i < 8 && i < code.size(); ++i) c[i] = static_cast<std::uint8_t>(code[i]);
    for (int i = 0; i < 8; ++i) c[i] = static_cast<std::uint8_t>(c[i] - (i + 1));
    std::uint32_t encodedLevel = ~((static_cast<std::uint32_t>(level) << 16) | levelMask);
    return {asSigned(~packSigned(c)), asSigned(encodedLevel), asSigned(~packSigned(c + 4))};
}

std::string decodeParentalCode(std::int32_t codeLow, std::int32_t codeHigh) {
    std::uint32_t a = ~static_cast<std::uint32_t>(codeLow);
    std::uint32_t b = ~static_cast<std::uint32_t>(codeHigh);
    char c[8];
    for (int i = 0; i < 4; ++i) {
        c[i] = static_cast<char>(((a >> (8 * i)) + (i + 1)) & 0xFF);
        c[4 + i] = static_cast<char>(((b >> (8 * i)) + (i + 5)) & 0xFF);
    }
    std::string code;
    for (char ch : c) {
        if (ch == 0) break;
        code += ch;
    }
    return code;
}

std::int32_t decodeParentalLevel(std::int32_t encodedLevel) {
    return static_cast<std::int32_t>((~static_cast<std::uint32_t>(encodedLevel) >> 16) & 0xFF);
}

}  // namespace setup
