#pragma once
// The sample video's pictures: a title over a drifting starfield and planet,
// rendered from nothing but the frame number, the same bytes on every machine.

#include <cstdint>
#include <vector>

#include "format/picture.h"

namespace samplegen {

inline constexpr int kClipWidth = format::kPictureWidth;
inline constexpr int kClipHeight = 480;

class IntroClip {
public:
    explicit IntroClip(int frameCount);

    int frameCount() const { return frameCount_; }
    // Frame `index` as 8-bit RGB, rows from the top, 640 x 480 x 3 bytes.
    std::vector<std::uint8_t> frame(int index) const;

private:
    int frameCount_;
    // The sky, wider than the picture by the whole pan, painted once.
    std::vector<float> sky_;
    int skyWidth_;
};

}  // namespace samplegen
