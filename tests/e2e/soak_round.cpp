#include "tests/e2e/soak_round.h"

#include <stdexcept>

#include "setup/skin/controls.h"
#include "tests/e2e/setup_expectations.h"

namespace setup::e2e {
namespace {

// The four volume knobs and the setting each turns.
struct VolumeKnob {
    std::uint32_t low;
    std::int32_t SetupSettings::*setting;
};
constexpr VolumeKnob kVolumeKnobs[] = {{kGeneralVolumeLow, &SetupSettings::generalVolume},
                                       {kVoiceVolumeLow, &SetupSettings::voiceVolume},
                                       {kSfxVolumeLow, &SetupSettings::sfxVolume},
                                       {kCdVolumeLow, &SetupSettings::cdVolume}};

// Each control once, the knobs at the middle of their faces.
constexpr std::uint32_t kEveryControl[] = {kQuit,
                                           kLaunch,
                                           kSpeakerFlip,
                                           kQualityLow,
                                           kQualityMedium,
                                           kQualityHigh,
                                           kAdapterNext,
                                           kAdapterPrevious,
                                           kResolutionLow + 50,
                                           kGeneralVolumeLow + 50,
                                           kVoiceVolumeLow + 50,
                                           kSfxVolumeLow + 50,
                                           kCdVolumeLow + 50};

struct Quality {
    std::uint32_t colour;
    SoundQuality value;
};
constexpr Quality kQualities[] = {
    {kQualityLow, SoundQuality::Low}, {kQualityMedium, SoundQuality::Medium}, {kQualityHigh, SoundQuality::High}};

// A drag of the window takes the real pointer; the rounds between keep the
// window busy with messages, and the echoes of the pointer's jumps (see
// dragWindowWithPointer) come back long before the next drag.
constexpr int kRoundsPerDrag = 8;

// Steps of a knob sweep, and how far one sweep turns.
constexpr int kSweepSteps = 12;
constexpr int kSweepStride = 3;

int volumeAt(int position) {
    Knob knob;
    knob.position = position;
    return knobValue(knob, 100);
}

}  // namespace

SoakRound::SoakRound(HWND window, const HitMap& map, SetupSettings start, DisplayLists& display)
    : window_(window), map_(map), expected_(std::move(start)), display_(display) {}

void SoakRound::run(int round) {
    hoverEveryControl();
    pressToggles(round);
    turnKnobs(round);
    stepAdapters();
    // Without the game beside the settings the launch saves, starts nothing and
    // reads the same settings back.
    click(window_, at(kLaunch));
    hoverEveryControl();
    if (round % kRoundsPerDrag == kRoundsPerDrag - 1) dragWindow(round / kRoundsPerDrag % 2 == 1);
}

// From control to control, and over the background between two of them.
void SoakRound::hoverEveryControl() {
    for (std::uint32_t colour : kEveryControl) {
        hover(window_, at(colour));
        hover(window_, at(kPlainBackground));
        hover(window_, at(colour));
    }
    hover(window_, at(kPlainBackground));
}

// The speaker toggle flips; of the quality toggles the one pressed last wins,
// and it is pressed twice, the second time while on.
void SoakRound::pressToggles(int round) {
    click(window_, at(kSpeakerFlip));
    expected_.speakerFlip ^= 1;
    for (int i = 0; i < 3; ++i) click(window_, at(kQualities[(round + i) % 3].colour));
    const Quality& last = kQualities[(round + 2) % 3];
    click(window_, at(last.colour));
    expected_.soundQuality = last.value;
}

// A press on a knob, then a sweep over its face with the button held; the
// last position reached is the knob's.
void SoakRound::turnKnobs(int round) {
    for (int k = 0; k < 4; ++k) {
        const int start = (round * 7 + k * 13) % 101;
        int position = start;
        click(window_, at(kVolumeKnobs[k].low + position));
        for (int step = 0; step < kSweepSteps; ++step) {
            position = (start + step * kSweepStride) % 101;
            drag(window_, at(kVolumeKnobs[k].low + position));
        }
        expected_.*kVolumeKnobs[k].setting = volumeAt(position);
    }
    const int resolution = round * 11 % 101;
    click(window_, at(kResolutionLow + resolution));
    pickResolution(expected_, display_, resolution);
}

// Next, then previous: whatever the number of adapters, the first is current
// again and its driver name is the device.
void SoakRound::stepAdapters() {
    click(window_, at(kAdapterNext));
    click(window_, at(kAdapterPrevious));
    if (const DisplayListEntry* first = display_.adapterByIndex(0)) expected_.device = first->driverName.value_or("");
}

// With the real pointer from the background, down and right or back.
void SoakRound::dragWindow(bool back) {
    constexpr int kSteps = 4;
    const int dx = back ? -10 : 10, dy = back ? -5 : 5;
    RECT frame{};
    GetWindowRect(window_, &frame);
    const POINT from{frame.left + at(kPlainBackground).x, frame.top + at(kPlainBackground).y};
    if (dragWindowWithPointer(window_, from, POINT{from.x + kSteps * dx, from.y + kSteps * dy}, kSteps)) return;
    RECT after{};
    GetWindowRect(window_, &after);
    ++(after.left == frame.left && after.top == frame.top ? stuckDrags_ : misplacedDrags_);
}

POINT SoakRound::at(std::uint32_t colour) {
    auto found = points_.find(colour);
    if (found != points_.end()) return found->second;
    const auto point = map_.find(colour);
    if (!point) throw std::runtime_error("no pixel of colour " + std::to_string(colour) + " in the hit map");
    return points_.emplace(colour, *point).first->second;
}

}  // namespace setup::e2e
