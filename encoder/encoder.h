#pragma once
// The XQM6 video encoder: 8-bit RGB frames 640 pixels wide in, compressed
// frames out, each exactly what the decoder's frame entry point takes.
//
// Intra frames stand alone; predicted frames copy from the picture the
// decoder showed before. Each 8x8 block, and each piece of it down to 2x2,
// takes the choice with the lowest rate-distortion cost. The encoder keeps
// the decoder's picture itself, made with the decoder's own kernels.
//
// A frame may be coded more than once, at other qualities or as the other
// kind, before one of the tries is kept: only a kept frame moves the
// encoder's pictures, motion fields and frame count on.

#include <cstdint>
#include <memory>
#include <vector>

namespace encoder {

struct EncoderSettings {
    int pixelType = 16;  // 15 (5-5-5) or 16 (5-6-5)
    int height = 480;    // even
    int quality = 75;    // 1..100, the decoder's quantiser scale: encode(rgb24)'s, a VideoEncoder's constant one
    // An intra frame at most this many frames after the last one; 0: only
    // the first has to be. Predicted frames refresh any block by DCT where
    // that pays, so intra frames are only needed for places a player may
    // start at.
    int intraEvery = 0;

    // Search effort.
    int referenceCandidates = 4;  // sources from the previous picture kept per block
    int targetCandidates = 3;     // sources from the picture being decoded per intra block (1 when predicted)
    // Sources of predicted blocks also tried with the other seven symmetries,
    // for the block and its quarters (intra blocks try all when this is not 0).
    int symmetryCandidates = 1;
    // A block whose best copy costs at most lambda times this many bits is not
    // tried as a DCT block (39 bits, the cheapest DCT block, loses nothing).
    int copyGoodEnoughBits = 39;

    // Rate-distortion tuning: lambda in 1/256 per squared quantiser step, and
    // how far past a level (in 1/256 of a step) an AC coefficient must reach
    // to round up to the next.
    int lambdaScale = 512;
    int acRounding = 40;

    // Threads coding each frame, block rows side by side; the bytes are the
    // same for any number.
    int threads = 1;
};

struct FrameRequest {
    bool intra = false;
    int quality = 75;  // 1..100
};

struct EncodedFrame {
    std::vector<uint8_t> bytes;
    bool intra = false;
    int quality = 0;
};

class Encoder {
public:
    // Throws std::invalid_argument for settings the decoder cannot take.
    explicit Encoder(const EncoderSettings& settings);
    ~Encoder();
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    // The next frame at the settings' quality, an intra frame when intraDue(),
    // kept at once. source: 640 x height pixels of 8-bit R, G, B bytes, rows
    // top first, no gaps. Throws std::invalid_argument for a null source.
    EncodedFrame encode(const uint8_t* rgb24);

    // Codes the next frame as asked without keeping it: until keep(), another
    // try codes the same frame again in its place. Throws
    // std::invalid_argument for a null source or a request out of range.
    EncodedFrame tryFrame(const uint8_t* rgb24, const FrameRequest& request);
    // The share of the blocks of the predicted frame tried last that the
    // frame before predicts badly (encoder/scene_change.h): near 1 at a cut.
    // Throws std::logic_error when the frame tried last is no predicted
    // frame of a source, or was kept.
    double mispredictedShare() const;
    // The previous picture once more in place of the source frame: a
    // predicted frame of still blocks, the smallest frame there is, kept
    // like any other try only by keep(). Throws std::logic_error before the
    // first frame is kept.
    EncodedFrame tryRepeat(const uint8_t* rgb24);
    // The frame tried last becomes the one the next frame follows. Throws
    // std::logic_error when no frame was tried since the last one kept.
    void keep();

    // Whether the next frame has to be an intra frame: the first one, and
    // the one intraEvery frames after the last intra frame kept.
    bool intraDue() const;
    long framesKept() const;

    // The picture the decoder shows for the last frame kept, in its own
    // layout: pictureRows() rows of 640 pixels.
    const std::vector<uint16_t>& reconstruction() const;
    int pictureRows() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace encoder
