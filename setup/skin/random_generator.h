#pragma once
// The particle stream's pseudo-random numbers. One formula of our own, so every
// build draws the same numbers from the same seed.

#include <cstdint>

namespace setup {

class RandomGenerator {
public:
    static constexpr int kMax = 32767;

    void seed(std::uint32_t value) { state_ = value; }
    // The next number, 0 to 32767.
    int next() {
        state_ = state_ * 1103515245u + 12345u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }

private:
    std::uint32_t state_ = 1;  // unseeded, as at process start
};

}  // namespace setup
