#pragma once
// Reads a numbered PNG sequence such as "clip/f%03d.png" as a video: it starts
// at the first of the numbers 0 to 4 whose file exists and ends before the
// first number whose file is missing. Every picture must have the first one's size.

#include <string>

#include "media/frame_pattern.h"
#include "media/frame_source.h"

namespace media {

class PngSequenceReader final : public FrameSource {
public:
    // Reads the first picture. Throws support::FileError (Io) when none of the first
    // five numbers has a file; std::invalid_argument for a bad pattern.
    PngSequenceReader(const std::string& pattern, support::FrameRate rate);

    int width() const override { return first_.width; }
    int height() const override { return first_.height; }
    support::FrameRate rate() const override { return rate_; }
    // The files numbered on from the first, up to the first number missing.
    std::optional<uint64_t> frameCount() const override { return frameCount_; }
    bool next(RgbPicture& picture) override;

private:
    FramePattern pattern_;
    support::FrameRate rate_;
    uint64_t number_ = 0;  // of the next file
    RgbPicture first_;
    bool firstTaken_ = false;
    uint64_t frameCount_ = 0;
};

}  // namespace media
