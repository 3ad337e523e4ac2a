#include "encoder/encoder.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "decoder/vk6_internal.h"
#include "encoder/frame_encoder.h"
#include "encoder/scene_change.h"
#include "format/frame_header.h"
#include "format/picture.h"
#include "format/pixel_types.h"

namespace encoder {

namespace {

void validateQuality(int quality) {
    if (quality < format::kLowestQuality || quality > format::kHighestQuality)
        throw std::invalid_argument("quality must be " + std::to_string(format::kLowestQuality) + ".." +
                                    std::to_string(format::kHighestQuality));
}

void validate(const EncoderSettings& s) {
    if (!format::knownPixelType(s.pixelType)) throw std::invalid_argument("pixel type must be 15 or 16");
    if (s.height < 2 || (s.height & 1) != 0) throw std::invalid_argument("height must be even and positive");
    validateQuality(s.quality);
    if (s.intraEvery < 0) throw std::invalid_argument("intraEvery must not be negative");
    if (s.referenceCandidates < 1 || s.targetCandidates < 0 || s.symmetryCandidates < 0)
        throw std::invalid_argument("search effort out of range");
    if (s.lambdaScale < 1 || s.acRounding < 0 || s.acRounding > 255 || s.copyGoodEnoughBits < 0)
        throw std::invalid_argument("rate-distortion tuning out of range");
    if (s.threads < 1) throw std::invalid_argument("threads must be at least 1");
}

}  // namespace

struct Encoder::State {
    explicit State(const EncoderSettings& s)
        : settings(s),
          rows(int(format::pictureRows(s.height))),
          mapping(s.pixelType),
          expander(s.pixelType),
          kernels(decoder::defaultKernels()) {
        decoder::buildChromaTables(colour);
        decoder::buildColourTables(static_cast<decoder::PixelFormat>(s.pixelType), colour);
        for (auto& picture : pictures) picture.assign(size_t(rows) * kWidth, 0);
        for (auto& planes : planes) planes.resize(rows);
        source.resize(rows);
        previousSource.resize(rows);
        const size_t blocks = size_t(rows / 8) * (kWidth / 8);
        motion.reset(blocks);
        previousMotion.reset(blocks);
    }

    const DctCoder& dctFor(int quality) {
        if (!dct || dctQuality != quality) {
            dct.emplace(mapping, quality, settings.acRounding);
            dctQuality = quality;
        }
        return *dct;
    }

    EncoderSettings settings;
    int rows;
    ColourMapping mapping;
    PixelExpander expander;
    CopyCodes codes;
    std::optional<DctCoder> dct;  // of the last quality asked for
    int dctQuality = 0;
    const decoder::BlockKernels& kernels;
    decoder::ColourTables colour{};
    // The decoder's pictures and their expanded planes: [current] is the
    // last frame's, the other the one before.
    std::vector<uint16_t> pictures[2];
    RgbPlanes planes[2];
    int current = 0;
    RgbPlanes source, previousSource;    // of the frame tried, and of the last frame kept
    MotionField motion, previousMotion;  // of the last frame kept and the one before
    long frames = 0;
    long sinceIntra = 0;  // frames kept since the last intra frame

    // The frame tried last, until it is kept: its picture, planes and motion
    // field take the place of the older frame's on keep().
    bool tried = false;
    bool triedIntra = false;
    bool triedRepeat = false;
    std::vector<uint16_t> triedPicture;
    RgbPlanes triedPlanes;
    MotionField triedMotion;
};

Encoder::Encoder(const EncoderSettings& settings) {
    validate(settings);
    state_ = std::make_unique<State>(settings);
}

Encoder::~Encoder() = default;

EncodedFrame Encoder::encode(const uint8_t* rgb24) {
    EncodedFrame frame = tryFrame(rgb24, {intraDue(), state_->settings.quality});
    keep();
    return frame;
}

EncodedFrame Encoder::tryFrame(const uint8_t* rgb24, const FrameRequest& request) {
    if (rgb24 == nullptr) throw std::invalid_argument("no source frame");
    validateQuality(request.quality);
    State& s = *state_;
    const bool intra = request.intra;
    loadSource(rgb24, s.settings.height, s.source);

    // The frame is decoded into the buffer that holds the picture of two
    // frames before, and parts not decoded yet still show it: a try starts
    // from a copy of it. Its motion field starts as that frame's too (an
    // intra frame leaves the reference motion as it finds it).
    const int next = 1 - s.current;
    s.triedPicture = s.pictures[next];
    s.triedPlanes = s.planes[next];
    s.triedMotion = s.previousMotion;
    const DctCoder& dct = s.dctFor(request.quality);
    const Cost lambda = lambdaFor(request.quality, s.settings.lambdaScale);
    const PlannerContext planner{intra,
                                 s.source,
                                 intra ? nullptr : &s.planes[s.current],
                                 s.triedPlanes,
                                 s.codes,
                                 dct,
                                 s.kernels,
                                 s.colour,
                                 s.expander,
                                 lambda,
                                 s.settings.symmetryCandidates,
                                 s.settings.copyGoodEnoughBits};
    const WriterContext writer{
        intra, dct, s.kernels, s.colour, intra ? nullptr : s.pictures[s.current].data(), s.triedPicture.data()};
    FrameStreams streams;
    encodeFrame({planner, writer, s.expander, s.settings, s.triedPlanes, s.motion, s.triedMotion}, streams);
    s.tried = true;
    s.triedIntra = intra;
    s.triedRepeat = false;
    return {streams.assemble(format::qualityWordOf(intra, request.quality)), intra, request.quality};
}

EncodedFrame Encoder::tryRepeat(const uint8_t* rgb24) {
    if (rgb24 == nullptr) throw std::invalid_argument("no source frame");
    State& s = *state_;
    if (s.frames == 0) throw std::logic_error("no picture to repeat");
    loadSource(rgb24, s.settings.height, s.source);
    s.triedPicture = s.pictures[s.current];
    s.triedPlanes = s.planes[s.current];
    s.triedMotion.reset(s.triedMotion.reference.size());
    FrameStreams streams;
    const format::Code still = format::choiceCode(false, format::Level::Block8x8, format::Choice::Still);
    for (size_t block = 0; block < s.triedMotion.reference.size(); ++block)
        streams.control.put(still.bits, still.length);
    s.tried = true;
    s.triedIntra = false;
    s.triedRepeat = true;
    constexpr int kQuality = 1;  // the decoder reads no coefficients
    return {streams.assemble(kQuality), false, kQuality};
}

double Encoder::mispredictedShare() const {
    const State& s = *state_;
    if (!s.tried || s.triedIntra || s.triedRepeat) throw std::logic_error("no predicted frame tried");
    return encoder::mispredictedShare(s.source, s.previousSource, s.triedMotion);
}

void Encoder::keep() {
    State& s = *state_;
    if (!s.tried) throw std::logic_error("no frame tried to keep");
    s.tried = false;
    s.current = 1 - s.current;
    std::swap(s.pictures[s.current], s.triedPicture);
    std::swap(s.planes[s.current], s.triedPlanes);
    std::swap(s.previousMotion, s.motion);
    std::swap(s.motion, s.triedMotion);
    std::swap(s.previousSource, s.source);
    ++s.frames;
    s.sinceIntra = s.triedIntra ? 1 : s.sinceIntra + 1;
}

bool Encoder::intraDue() const {
    const State& s = *state_;
    return s.frames == 0 || (s.settings.intraEvery > 0 && s.sinceIntra >= s.settings.intraEvery);
}

long Encoder::framesKept() const { return state_->frames; }

const std::vector<uint16_t>& Encoder::reconstruction() const { return state_->pictures[state_->current]; }

int Encoder::pictureRows() const { return state_->rows; }

}  // namespace encoder
