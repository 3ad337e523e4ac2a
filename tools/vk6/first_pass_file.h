#pragma once
// The statistics `vk6 encode --pass 1` writes and `--pass 2` reads: a text
// file, one line per frame after a header line.
//
//     vk6-first-pass 1 height 480 quality 75 frames 45
//     0 intra 25399 12648
//     1 predicted 16341 5343
//     ...
//
// The header: the format's version (1), the pictures' height, the quality
// the first pass coded every frame at (encoder::kFirstPassQuality), and the
// number of frame lines. Each frame line: its number from 0, its kind as the
// first pass chose it (intra or predicted: scene cuts and --intra-every
// decided it), its size in bytes at that quality, and its size at quality 1.
// Fields are separated by single spaces, lines end with '\n'.

#include <string>
#include <vector>

#include "encoder/rate_control.h"

namespace vk6 {

struct FirstPassStats {
    int height = 0;
    std::vector<encoder::FirstPassFrame> frames;
};

// Throws support::FileError: Io when the file cannot be written.
void writeFirstPass(const std::string& path, const FirstPassStats& stats);
// Throws support::FileError: Io when the file cannot be read, Format (naming the
// line) when it is not such a file or was written for another quality.
FirstPassStats readFirstPass(const std::string& path);

}  // namespace vk6
