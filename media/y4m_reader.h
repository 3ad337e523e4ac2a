#pragma once
// Reads YUV4MPEG2 (Y4M) video: 8-bit 4:2:0 (every siting, read as
// centre-sited), 4:2:2 or 4:4:4, frames converted to RGB with BT.601 in
// limited range and the chroma interpolated to full resolution
// (media/chroma_upsampling.h). Interlacing and aspect are not used.

#include <string>
#include <vector>

#include "media/file_handle.h"
#include "media/frame_source.h"

namespace media {

class Y4mReader final : public FrameSource {
public:
    // path "-" reads standard input. Throws support::FileError for a header it cannot use.
    explicit Y4mReader(const std::string& path);

    int width() const override { return width_; }
    int height() const override { return height_; }
    support::FrameRate rate() const override { return rate_; }
    // Known for a file, not a pipe, whose frames all have a bare "FRAME" line.
    std::optional<uint64_t> frameCount() const override { return frameCount_; }
    bool next(RgbPicture& picture) override;

private:
    std::string readLine(const char* what);
    void parseHeader(const std::string& line);
    void parseChroma(const std::string& tag);
    void countFrames(const std::string& path);
    [[noreturn]] void fail(const std::string& problem) const;

    FileHandle file_;
    int width_ = 0, height_ = 0;
    support::FrameRate rate_{25, 1};  // without an F tag in the header, 25 frames a second
    int xFactor_ = 2, yFactor_ = 2;   // chroma subsampling; 4:2:0 when C is not given
    uint64_t frames_ = 0;
    std::optional<uint64_t> frameCount_;
    std::vector<uint8_t> planes_;
};

}  // namespace media
