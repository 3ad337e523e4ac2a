#pragma once
// The command line of vk6 encode, checked: every usage error is found here,
// before the input is opened.

#include <optional>
#include <span>
#include <string>

#include "encoder/video_encoder.h"
#include "media/rgb_picture.h"

namespace vk6 {

struct EncodeOptions {
    std::string input;
    std::string output;  // empty for a first pass without one
    std::optional<support::FrameRate> rate;
    encoder::VideoSettings video;   // all but the height, which the input tells
    std::optional<double> bitrate;  // bits per second
    int pass = 0;                   // 1 or 2 of two; 0 for one pass
    std::string stats;              // the first pass's statistics
    bool quiet = false;
};

// Throws a usage Failure.
EncodeOptions parseEncodeOptions(std::span<char* const> args);

}  // namespace vk6
