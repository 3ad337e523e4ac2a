#pragma once
// Little-endian fields of the stream file.

#include <cstdint>

namespace stream {

template <class T>
T loadLittleEndian(const uint8_t* bytes) {
    T value = 0;
    for (unsigned i = 0; i < sizeof(T); ++i) value |= T(bytes[i]) << (8 * i);
    return value;
}

template <class T>
void storeLittleEndian(uint8_t* bytes, T value) {
    for (unsigned i = 0; i < sizeof(T); ++i) bytes[i] = uint8_t(value >> (8 * i));
}

}  // namespace stream
