#pragma once
// Bounded little-endian reads from a compressed frame. A frame of unknown size
// (the legacy entry point) is read as if it were endless; a frame of known size
// reads every byte past its end, or before its start, as zero, and remembers
// that it did so: the decoder then looks closer at what its readers used.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace decoder {

class FrameBytes {
public:
    // Large enough for any offset a header can hold, small enough never to overflow.
    static constexpr int64_t kUnknownSize = int64_t{1} << 40;

    FrameBytes(const void* data, int64_t size) : data_(static_cast<const uint8_t*>(data)), size_(size) {}

    int64_t size() const { return size_; }
    bool contains(int64_t at, int64_t count) const { return at >= 0 && at <= size_ - count; }

    uint8_t byte(int64_t at) const {
        if (contains(at, 1)) return data_[at];
        readOutside_ = true;
        return 0;
    }
    // Whether any read so far reached outside the frame, look-ahead included.
    bool readOutside() const { return readOutside_; }
    uint32_t word16(int64_t at) const { return load<2>(at); }
    uint32_t bytes24(int64_t at) const { return load<3>(at); }
    uint32_t word32(int64_t at) const { return load<4>(at); }

    // The bytes at..at+count-1, when all of them lie inside the frame.
    const uint8_t* span(int64_t at, int64_t count) const { return contains(at, count) ? data_ + at : nullptr; }

private:
    template <int N>
    uint32_t load(int64_t at) const {
        uint32_t value = 0;
        if (contains(at, N)) {
            if constexpr (std::endian::native == std::endian::little) {
                std::memcpy(&value, data_ + at, N);  // one load
            } else {
                for (int i = 0; i < N; ++i) value |= uint32_t{data_[at + i]} << (8 * i);
            }
        } else {
            for (int i = 0; i < N; ++i) value |= uint32_t{byte(at + i)} << (8 * i);
        }
        return value;
    }

    const uint8_t* data_;
    int64_t size_;
    mutable bool readOutside_ = false;
};

}  // namespace decoder
