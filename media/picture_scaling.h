#pragma once
// A picture made smaller to fit a square, its shape kept: each new pixel the
// average of the source area it covers, so that fine detail turns to its
// mean colour rather than to noise.

#include "media/rgb_picture.h"

namespace media {

// A picture that already fits is returned as it is; size > 0.
RgbPicture scaleToFit(const RgbPicture& picture, int size);

}  // namespace media
