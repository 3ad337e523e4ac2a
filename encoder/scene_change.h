#pragma once
// How badly the previous frame predicts a frame: per 8x8 block, the luma
// difference from the previous source frame at the displacement the frame's
// own motion search found for it, against how much the block varies in
// itself (what coding it from scratch has to describe). Measured on the
// source frames, not on the coded frame, so that it does not depend on the
// quality: at low qualities copies win even at a cut, at high ones DCT
// blocks win even in a pan, and a coarse previous picture is no cut. Where
// that displacement predicts badly, a search of the source frames has the
// last word; at a cut that is one more search over most blocks.

#include "encoder/frame_encoder.h"
#include "encoder/picture_planes.h"

namespace encoder {

// The share of the source's blocks, 0 to 1, that differ from `previous`
// (where `motion` places them, or the best place a search finds near it) by
// more than they vary around their own mean, and more than a little noise.
double mispredictedShare(const RgbPlanes& source, const RgbPlanes& previous, const MotionField& motion);

}  // namespace encoder
