#pragma once
// A video read frame by frame as 24-bit RGB pictures of one size.

#include "media/rgb_picture.h"

namespace media {

class FrameSource {
public:
    virtual ~FrameSource() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual Rate rate() const = 0;
    // The next frame, or false at the end. Throws orv::FileError.
    virtual bool next(RgbPicture& picture) = 0;
};

}  // namespace media
