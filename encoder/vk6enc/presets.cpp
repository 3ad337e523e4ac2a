#include "vk6enc/presets.h"

namespace vk6enc {

void applyPreset(Preset preset, EncoderSettings& settings) {
    const EncoderSettings defaults;
    settings.referenceCandidates = defaults.referenceCandidates;
    settings.targetCandidates = defaults.targetCandidates;
    settings.symmetryCandidates = defaults.symmetryCandidates;
    settings.copyGoodEnoughBits = defaults.copyGoodEnoughBits;
    switch (preset) {
        case Preset::Fast:
            settings.referenceCandidates = 1;
            settings.targetCandidates = 1;
            settings.symmetryCandidates = 0;
            settings.copyGoodEnoughBits = 80;
            break;
        case Preset::Medium:
            break;
        case Preset::Slow:
            settings.referenceCandidates = 8;
            settings.targetCandidates = 6;
            settings.symmetryCandidates = 3;
            settings.copyGoodEnoughBits = 0;
            break;
    }
}

}  // namespace vk6enc
