#pragma once
// A video read frame by frame as 24-bit RGB pictures of one size.

#include <cstdint>
#include <optional>

#include "media/rgb_picture.h"
#include "support/frame_rate.h"

namespace media {

class FrameSource {
public:
    virtual ~FrameSource() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual support::FrameRate rate() const = 0;
    // How many frames there are, when that is known before reading them.
    virtual std::optional<uint64_t> frameCount() const { return std::nullopt; }
    // The next frame, or false at the end. Throws support::FileError.
    virtual bool next(RgbPicture& picture) = 0;
};

}  // namespace media
