#pragma once
// How far decoded pictures are from their source, as the encoder benchmark
// measures every codec: PSNR over all samples of 8-bit RGB, each picture as a
// 16-bit 5-6-5 screen shows it.

#include <cstdint>
#include <span>

namespace bench {

// Sums squared 8-bit errors over any number of frames.
class ErrorSum {
public:
    // Pictures of 8-bit RGB from a codec that does not make 5-6-5 pixels,
    // each sample brought to the nearest level its 5- or 6-bit field shows.
    void addRgbPictures(std::span<const uint8_t> source, std::span<const uint8_t> rgb);
    // Pictures of the decoder's 5-6-5 pixels, widened as it shows them.
    void addScreenPictures(std::span<const uint8_t> source, std::span<const uint16_t> pixels);

    double psnr() const;

private:
    void add(uint8_t a, uint8_t b) {
        const double d = double(a) - double(b);
        squared_ += d * d;
        samples_ += 1;
    }

    double squared_ = 0;
    double samples_ = 0;
};

}  // namespace bench
