// The 13 controls of the skin, their bitmaps and hit colours, and how they
// follow the settings.

#include "setup/skin/controls.h"

namespace setup {
namespace {

constexpr int kVolumeRange = 100;
constexpr int kKnobFrames = 14;

// The quality toggle that stands for a sound quality, or none for a value
// outside Low, Medium and High.
const ControlId* qualityToggleFor(SoundQuality quality) {
    for (const ControlRole& role : qualityToggles())
        if (role.quality == quality) return &role.id;
    return nullptr;
}

void setQualityToggles(Controls& controls, ControlId chosen) {
    for (const ControlRole& role : qualityToggles()) {
        if (ToggleButton* toggle = findToggle(controls, role.id)) toggle->on = role.id == chosen;
    }
}

class Builder {
public:
    Builder(Controls& controls, BitmapCache& cache, Platform& platform)
        : controls_(controls), cache_(cache), platform_(platform) {}

    void push(ControlId id, int x, int y, Pixel hitColour, int highlight) {
        controls_.pushButtons.push_front(PushButton{id, x, y, hitColour, false, bitmap(highlight)});
    }

    void toggle(ControlId id, int x, int y, Pixel hitColour, int hoverOff, int on, int hoverOn) {
        controls_.toggles.push_front(
            ToggleButton{id, x, y, hitColour, false, false, bitmap(hoverOff), bitmap(on), bitmap(hoverOn)});
    }

    Knob& knob(ControlId id, int x, int y, Pixel low, Pixel high, int strip) {
        const SkinBitmap* frames = bitmap(strip);
        controls_.knobs.push_front(
            Knob{id, x, y, low, high, 0, frames->image.width / kKnobFrames, kKnobFrames, false, frames});
        return controls_.knobs.front();
    }

private:
    const SkinBitmap* bitmap(int id) { return &loadSkinBitmap(cache_, platform_, id); }

    Controls& controls_;
    BitmapCache& cache_;
    Platform& platform_;
};

}  // namespace

void createControls(Controls& controls, BitmapCache& cache, Platform& platform, const SetupSettings& settings) {
    Builder make(controls, cache, platform);
    make.push(ControlId::QuitButton, 108, 310, 0xFFFF00, 138);
    make.push(ControlId::LaunchButton, 347, 293, 0xFF0000, 145);
    make.toggle(ControlId::QualityLowToggle, 48, 186, 0x0000FC, 163, 162, 164);
    make.toggle(ControlId::QualityMediumToggle, 45, 146, 0x0000FD, 168, 170, 169);
    make.toggle(ControlId::QualityHighToggle, 41, 106, 0x0000FE, 172, 174, 173);
    if (const ControlId* chosen = qualityToggleFor(settings.soundQuality)) setQualityToggles(controls, *chosen);
    make.toggle(ControlId::SpeakerFlipToggle, 416, 199, 0x0000FF, 165, 167, 166);
    findToggle(controls, ControlId::SpeakerFlipToggle)->on = settings.speakerFlip != 0;
    make.push(ControlId::AdapterNextButton, 409, 245, 0x00FFFF, 176);
    make.push(ControlId::AdapterPreviousButton, 409, 270, 0x00FEFF, 177);
    make.knob(ControlId::ResolutionKnob, 223, 276, 0xFF000A, 0xFF006E, 188);
    const struct {
        ControlId id;
        int x, y;
        Pixel low;
        int strip;
    } volumeKnobs[] = {{ControlId::GeneralVolumeKnob, 31, 48, 0x00FF00, 180},
                       {ControlId::VoiceVolumeKnob, 419, 63, 0x01FF00, 187},
                       {ControlId::SfxVolumeKnob, 416, 108, 0x02FF00, 184},
                       {ControlId::CdVolumeKnob, 412, 152, 0x03FF00, 183}};
    for (const auto& place : volumeKnobs) {
        Knob& knob = make.knob(place.id, place.x, place.y, place.low, place.low + 100, place.strip);
        setKnobFromValue(knob, settings.*roleOf(place.id)->volume, kVolumeRange);
    }
}

void syncControlsFromSettings(Controls& controls, const SetupSettings& settings, const ModeSource& modes) {
    if (const ControlId* chosen = qualityToggleFor(settings.soundQuality)) setQualityToggles(controls, *chosen);
    if (ToggleButton* speaker = findToggle(controls, ControlId::SpeakerFlipToggle))
        speaker->on = settings.speakerFlip != 0;
    if (Knob* resolution = findKnob(controls, ControlId::ResolutionKnob)) {
        setKnobFromValue(*resolution, modes.modeIndexOf(settings.resolutionWidth, settings.resolutionHeight),
                         modes.modeCount());
    }
    for (Knob& knob : controls.knobs) {
        const ControlRole* role = roleOf(knob.id);
        if (role != nullptr && role->volume != nullptr) setKnobFromValue(knob, settings.*role->volume, kVolumeRange);
    }
}

}  // namespace setup
