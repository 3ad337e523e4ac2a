#pragma once
// The input of vk6 encode: a Y4M file ("-" for standard input) or, for a name
// with a printf-style number such as clip/f%03d.png, a PNG sequence.

#include <memory>
#include <string>

#include "media/frame_source.h"

namespace vk6 {

// pngRate is the rate of a PNG sequence (a Y4M file states its own). Throws a
// bad-input Failure when the pictures do not fit a stream (640 pixels wide,
// an even height from 2 to 2048), a usage Failure for a bad pattern.
std::unique_ptr<media::FrameSource> openInputVideo(const std::string& input, support::FrameRate pngRate);

}  // namespace vk6
