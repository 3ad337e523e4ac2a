#include "web/module/player_session.h"

#include <algorithm>

#include "format/decode_errors.h"
#include "format/frame_header.h"
#include "format/pixel_types.h"
#include "support/file_error.h"

namespace web {

PlayerSession::PlayerSession(std::vector<uint8_t> bytes, std::string name, size_t checkpointBudget)
    : bytes_(std::move(bytes)),
      reader_(std::make_unique<stream::MemorySource>(bytes_), std::move(name)),
      sequence_(decoder::linkedHandleFunctions(), reader_.info().pixelType, reader_.info().height) {
    if (sequence_.refused())
        throw support::FileError::format(reader_.name() + ": the decoder refuses pixel type " +
                                         std::to_string(reader_.info().pixelType) + " and height " +
                                         std::to_string(reader_.info().height));
    const size_t pixels = sequence_.pictureBuffer().size();
    checkpointLimit_ = std::max<size_t>(1, checkpointBudget / (2 * pixels * sizeof(uint16_t)));
}

PlayerSession::~PlayerSession() = default;

int64_t PlayerSession::frameQuality(uint32_t number) const {
    const stream::IndexEntry& entry = index().at(number);
    return format::readFrameHeader({bytes_.data() + entry.offset, entry.size}).qualityMagnitude();
}

PlayerSession::Result PlayerSession::show(uint32_t number) {
    damage_.clear();
    if (number >= info().frameCount) return Result::OutOfRange;
    if (shown_ == int64_t(number)) return Result::Whole;
    // Decoding on from the frame shown is never worse than from an earlier
    // checkpoint.
    const Checkpoint* checkpoint = checkpointAtOrBefore(number);
    const int64_t from = checkpoint != nullptr ? checkpoint->frame : 0;
    if (shown_ > int64_t(number) || shown_ + 1 < from) restore(checkpoint);
    while (shown_ < int64_t(number)) decodeNext();
    return damage_.empty() ? Result::Whole : Result::Damaged;
}

void PlayerSession::expandToRgba(uint8_t* out) const {
    const size_t pixels = size_t(format::kPictureWidth) * info().height;
    for (size_t i = 0; i < pixels; ++i, out += 4) {
        const format::Rgb8 colour = format::widenPixel(picture()[i], info().pixelType);
        out[0] = colour.r;
        out[1] = colour.g;
        out[2] = colour.b;
        out[3] = 255;
    }
}

void PlayerSession::decodeNext() {
    const uint32_t number = uint32_t(shown_ + 1);
    if (index()[number].intra()) keepCheckpoint();
    try {
        reader_.readFrame(number, frame_);
        if (!sequence_.decode(frame_))
            damage_.push_back({number, format::frameFailureLine(reader_.name(), number, sequence_.failure())});
    } catch (const support::FileError& error) {
        sequence_.repeat();
        damage_.push_back({number, error.what()});
    }
    shown_ = number;
}

void PlayerSession::restore(const Checkpoint* checkpoint) {
    if (checkpoint == nullptr) {
        sequence_.fill(0);
        shown_ = -1;
        return;
    }
    sequence_.restore(checkpoint->buffers);
    shown_ = int64_t(checkpoint->frame) - 1;
}

// Before an intra frame: kept unless one is there already or the nearest
// earlier one is closer than the spacing. At the limit every second one goes
// and the spacing doubles, so the checkpoints stay spread over the video.
void PlayerSession::keepCheckpoint() {
    const uint32_t frame = uint32_t(shown_ + 1);
    if (frame == 0) return;
    const Checkpoint* before = checkpointAtOrBefore(frame);
    if (before != nullptr && (before->frame == frame || frame - before->frame < spacing_)) return;
    if (before == nullptr && frame < spacing_) return;
    auto at = std::upper_bound(checkpoints_.begin(), checkpoints_.end(), frame,
                               [](uint32_t f, const Checkpoint& c) { return f < c.frame; });
    checkpoints_.insert(at, Checkpoint{frame, sequence_.buffers()});
    if (checkpoints_.size() <= checkpointLimit_) return;
    std::vector<Checkpoint> kept;
    for (size_t i = 1; i < checkpoints_.size(); i += 2) kept.push_back(std::move(checkpoints_[i]));
    checkpoints_ = std::move(kept);
    spacing_ *= 2;
}

const PlayerSession::Checkpoint* PlayerSession::checkpointAtOrBefore(uint32_t number) const {
    auto after = std::upper_bound(checkpoints_.begin(), checkpoints_.end(), number,
                                  [](uint32_t f, const Checkpoint& c) { return f < c.frame; });
    return after == checkpoints_.begin() ? nullptr : &*std::prev(after);
}

}  // namespace web
