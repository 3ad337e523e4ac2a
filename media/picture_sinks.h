#pragma once
// Where decoded pictures go: a PNG sequence, Y4M, raw frames in the stream's
// own pixel format, or framemd5 checksums of those raw frames. Each output
// holds the picture's `height` rows.

#include <cstdint>
#include <memory>
#include <string>

#include "stream/stream_format.h"

namespace media {

enum class OutputFormat { Png, Y4m, Raw, FrameMd5 };

class PictureSink {
public:
    virtual ~PictureSink() = default;
    // picture: the decoder's buffer (rows of 640 pixels); number: the frame's
    // number in the stream.
    virtual void write(const uint16_t* picture, uint32_t number) = 0;
    // Completes the output; throws when it cannot be written.
    virtual void finish() = 0;
};

// output: a file, a printf-style pattern for PNG files (such as
// "out/f%04d.png", numbered by the stream's frame numbers), or "-" for
// standard output. Throws std::invalid_argument for a PNG pattern without a
// number. software: the program and its version, for framemd5's header.
std::unique_ptr<PictureSink> openSink(OutputFormat format, const std::string& output, const stream::StreamInfo& info,
                                      const std::string& software);

}  // namespace media
