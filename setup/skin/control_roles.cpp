// What each control stands for: one table that the building of the controls,
// the syncing from the settings and the pointer's input all read.

#include <algorithm>

#include "setup/skin/controls.h"

namespace setup {
namespace {

constexpr ControlRole kRoles[] = {
    {ControlId::QualityLowToggle, "[SSLOW]", nullptr, SoundQuality::Low},
    {ControlId::QualityMediumToggle, "[SSMEDIUM]", nullptr, SoundQuality::Medium},
    {ControlId::QualityHighToggle, "[SSHIGH]", nullptr, SoundQuality::High},
    {ControlId::QuitButton, "[KIT]"},
    {ControlId::LaunchButton, "[LAUNCH]"},
    {ControlId::SpeakerFlipToggle, "[SPEAKER]"},
    {ControlId::AdapterNextButton, "[ADAPTA]"},
    {ControlId::AdapterPreviousButton, "[ADAPTA]"},
    {ControlId::ResolutionKnob, "[RESOLU]"},
    {ControlId::GeneralVolumeKnob, "[VGENERAL]", &SetupSettings::generalVolume},
    {ControlId::VoiceVolumeKnob, "[VVOIX]", &SetupSettings::voiceVolume},
    {ControlId::SfxVolumeKnob, "[VSFX]", &SetupSettings::sfxVolume},
    {ControlId::CdVolumeKnob, "[VCD]", &SetupSettings::cdVolume},
};

}  // namespace

const ControlRole* roleOf(ControlId id) {
    const auto* role =
        std::find_if(std::begin(kRoles), std::end(kRoles), [&](const ControlRole& r) { return r.id == id; });
    return role == std::end(kRoles) ? nullptr : role;
}

std::span<const ControlRole> qualityToggles() { return std::span<const ControlRole>(kRoles, 3); }

}  // namespace setup
