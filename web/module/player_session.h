#pragma once
// One open video for the web player: the stream read from bytes in memory,
// a decoder through the library's handle interface with concealment on, and
// the pictures as the game decodes them (two buffers by turns, both all zero
// at first; frame N into the buffer of frame N-2). Any frame can be shown,
// with exactly the picture a decode from frame 0 gives: the session decodes
// forward from the frame shown, or from a checkpoint kept at an intra frame
// at or before the one asked for. A checkpoint holds both buffers, since
// copies from the new picture read what its buffer held before.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "decoder/interface/frame_sequence.h"
#include "stream/stream_reader.h"

namespace web {

// Bytes of checkpoints a session keeps at most: 27 of a 640x480 video.
inline constexpr size_t kCheckpointBudget = 64u << 20;

class PlayerSession {
public:
    // Throws support::FileError in the reader's words when the bytes are not a
    // stream, naming it `name`.
    PlayerSession(std::vector<uint8_t> bytes, std::string name, size_t checkpointBudget = kCheckpointBudget);
    ~PlayerSession();
    PlayerSession(const PlayerSession&) = delete;
    PlayerSession& operator=(const PlayerSession&) = delete;

    const stream::StreamInfo& info() const { return reader_.info(); }
    const std::vector<stream::IndexEntry>& index() const { return reader_.index(); }
    // The magnitude of the frame's quality word.
    int64_t frameQuality(uint32_t number) const;

    enum class Result { Whole, Damaged, OutOfRange };
    // A frame decoded on the way that was abandoned (and concealed) or could
    // not be read (and shows the picture before it): which, and the line that
    // says why ("NAME: frame N: ...").
    struct Damage {
        uint32_t frame;
        std::string message;
    };
    // Brings the shown picture to frame `number`. Damaged when a frame decoded
    // on the way was damaged: damage() then lists each.
    Result show(uint32_t number);
    // The frame shown; -1 before any.
    int64_t shown() const { return shown_; }
    // The shown picture: `height` rows of 640 pixels.
    const uint16_t* picture() const { return sequence_.picture(); }
    // The shown rows as 8-bit RGBA, alpha 255: 640 x height x 4 bytes.
    void expandToRgba(uint8_t* out) const;
    const std::vector<Damage>& damage() const { return damage_; }
    size_t checkpointCount() const { return checkpoints_.size(); }

private:
    struct Checkpoint {
        uint32_t frame;  // the buffers as they are before this frame is decoded
        decoder::FrameSequence::Buffers buffers;
    };

    void decodeNext();
    void restore(const Checkpoint* checkpoint);
    void keepCheckpoint();
    const Checkpoint* checkpointAtOrBefore(uint32_t number) const;

    std::vector<uint8_t> bytes_;  // read by reader_: declared before it
    stream::StreamReader reader_;
    decoder::FrameSequence sequence_;
    int64_t shown_ = -1;
    std::vector<Checkpoint> checkpoints_;  // by frame; frame 0 needs none
    size_t checkpointLimit_;
    uint32_t spacing_ = 1;  // frames at least between two checkpoints
    std::vector<uint8_t> frame_;
    std::vector<Damage> damage_;
};

}  // namespace web
