#include "vk6enc/encoder.h"

#include <stdexcept>
#include <utility>

#include "pipeline/block_kernels.h"
#include "pipeline/colour_conversion.h"
#include "vk6enc/frame_encoder.h"

namespace vk6enc {

namespace {

void validate(const EncoderSettings& s) {
    if (s.pixelType != 15 && s.pixelType != 16) throw std::invalid_argument("pixel type must be 15 or 16");
    if (s.height < 2 || (s.height & 1) != 0) throw std::invalid_argument("height must be even and positive");
    if (s.quality < 1 || s.quality > 100) throw std::invalid_argument("quality must be 1..100");
    if (s.intraEvery < 0) throw std::invalid_argument("intraEvery must not be negative");
    if (s.referenceCandidates < 1 || s.targetCandidates < 0 || s.symmetryCandidates < 0)
        throw std::invalid_argument("search effort out of range");
    if (s.lambdaScale < 1 || s.acRounding < 0 || s.acRounding > 255 || s.copyGoodEnoughBits < 0)
        throw std::invalid_argument("rate-distortion tuning out of range");
    if (s.threads < 1) throw std::invalid_argument("threads must be at least 1");
}

// The decoder always works in whole block rows, at least one.
int rowsFor(int height) { return 8 * std::max(1, (height + 7) / 8); }

}  // namespace

struct Encoder::State {
    explicit State(const EncoderSettings& s)
        : settings(s),
          rows(rowsFor(s.height)),
          mapping(s.pixelType),
          expander(s.pixelType),
          dct(mapping, s.quality, s.acRounding),
          lambda(lambdaFor(s.quality, s.lambdaScale)),
          kernels(vk6::defaultKernels()) {
        vk6::buildChromaTables(colour);
        vk6::buildColourTables(static_cast<vk6::PixelFormat>(s.pixelType), colour);
        for (auto& picture : pictures) picture.assign(size_t(rows) * kWidth, 0);
        for (auto& planes : planes) planes.resize(rows);
        source.resize(rows);
        const size_t blocks = size_t(rows / 8) * (kWidth / 8);
        motion.reset(blocks);
        previousMotion.reset(blocks);
    }

    EncoderSettings settings;
    int rows;
    ColourMapping mapping;
    PixelExpander expander;
    CopyCodes codes;
    DctCoder dct;
    Cost lambda;
    const vk6::BlockKernels& kernels;
    vk6::ColourTables colour{};
    // The decoder's pictures and their expanded planes: [current] is the
    // last frame's, the other the one before.
    std::vector<uint16_t> pictures[2];
    RgbPlanes planes[2];
    int current = 0;
    RgbPlanes source;
    MotionField motion, previousMotion;
    long frames = 0;
};

Encoder::Encoder(const EncoderSettings& settings) {
    validate(settings);
    state_ = std::make_unique<State>(settings);
}

Encoder::~Encoder() = default;

EncodedFrame Encoder::encode(const uint8_t* rgb24) {
    if (rgb24 == nullptr) throw std::invalid_argument("no source frame");
    State& s = *state_;
    const bool intra = s.frames == 0 || (s.settings.intraEvery > 0 && s.frames % s.settings.intraEvery == 0);
    ++s.frames;
    loadSource(rgb24, s.settings.height, s.source);

    const int next = 1 - s.current;
    std::swap(s.motion, s.previousMotion);
    const PlannerContext planner{intra,
                                 s.source,
                                 intra ? nullptr : &s.planes[s.current],
                                 s.planes[next],
                                 s.codes,
                                 s.dct,
                                 s.kernels,
                                 s.colour,
                                 s.expander,
                                 s.lambda,
                                 s.settings.symmetryCandidates,
                                 s.settings.copyGoodEnoughBits};
    const WriterContext writer{
        intra, s.dct, s.kernels, s.colour, intra ? nullptr : s.pictures[s.current].data(), s.pictures[next].data()};
    FrameStreams streams;
    encodeFrame({planner, writer, s.expander, s.settings, s.planes[next], s.previousMotion, s.motion}, streams);
    s.current = next;
    return {streams.assemble(intra ? -s.settings.quality : s.settings.quality), intra};
}

const std::vector<uint16_t>& Encoder::reconstruction() const { return state_->pictures[state_->current]; }

int Encoder::pictureRows() const { return state_->rows; }

}  // namespace vk6enc
