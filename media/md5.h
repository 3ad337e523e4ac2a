#pragma once
// The MD5 message digest (RFC 1321), for frame checksums.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace media {

class Md5 {
public:
    void update(const uint8_t* data, size_t size);
    // The digest as 32 lower-case hex digits; the object starts over afterwards.
    std::string finishHex();

private:
    void transform(const uint8_t* block);

    std::array<uint32_t, 4> state_ = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
    std::array<uint8_t, 64> buffer_{};
    uint64_t length_ = 0;  // bytes so far
};

}  // namespace media
