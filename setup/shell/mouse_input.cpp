// What the left button and the pointer do to the controls, the settings, the
// help text and the window.
#include <cstdint>
#include <string>

#include "setup/shell/setup_dialog.h"

namespace setup {
namespace {

const char* helpSection(ControlId id) {
    const ControlRole* role = roleOf(id);
    return role != nullptr ? role->helpSection : nullptr;
}

// The setting a volume knob turns; null for any other control.
std::int32_t SetupSettings::*volumeSetting(ControlId id) {
    const ControlRole* role = roleOf(id);
    return role != nullptr ? role->volume : nullptr;
}

// The sound quality a toggle picks; none (0) for any other control.
SoundQuality qualityOf(ControlId id) {
    const ControlRole* role = roleOf(id);
    return role != nullptr ? role->quality : SoundQuality{};
}

bool* hoveredFlag(Controls& controls, ControlId id) {
    if (PushButton* button = findPushButton(controls, id)) return &button->hovered;
    if (ToggleButton* toggle = findToggle(controls, id)) return &toggle->hovered;
    if (Knob* knob = findKnob(controls, id)) return &knob->hovered;
    return nullptr;
}

std::string numberText(int value) { return std::to_string(value) + " "; }

}  // namespace

void SetupDialog::onLeftButtonDown(int x, int y) {
    const ControlId id = hitTest(scene_->controls, scene_->hitMap, x, y);
    switch (id) {
        case ControlId::QuitButton: services_.window.endModal(1); return;
        case ControlId::LaunchButton: launchGame(); return;
        case ControlId::SpeakerFlipToggle: {
            ToggleButton* toggle = findToggle(scene_->controls, id);
            toggle->on = !toggle->on;
            settings_.speakerFlip = toggle->on ? 1 : 0;
            return;
        }
        case ControlId::AdapterNextButton:
            stepAdapter(+1);
            dragAllowed_ = false;
            return;
        case ControlId::AdapterPreviousButton:
            stepAdapter(-1);
            dragAllowed_ = false;
            return;
        default: break;
    }
    if (qualityOf(id) != SoundQuality{}) {
        pressQualityToggle(id);
    } else if (Knob* knob = findKnob(scene_->controls, id)) {
        turnKnob(*knob, x, y, 0.0f);
        dragAllowed_ = false;
    }
}

void SetupDialog::onMouseMove(bool leftButtonHeld, int x, int y) {
    const ControlId id = hitTest(scene_->controls, scene_->hitMap, x, y);
    if (!leftButtonHeld) {
        hover(id);
        return;
    }
    // With the button held, buttons and toggles neither light up nor show text.
    if (id == ControlId::HitBackground) {
        if (dragAllowed_) services_.window.beginMove();
    } else if (Knob* knob = findKnob(scene_->controls, id)) {
        turnKnob(*knob, x, y, 1.0f);
    }
}

// A press on the toggle that is already on changes nothing.
void SetupDialog::pressQualityToggle(ControlId id) {
    ToggleButton* pressed = findToggle(scene_->controls, id);
    if (pressed->on) return;
    for (const ControlRole& other : qualityToggles()) findToggle(scene_->controls, other.id)->on = false;
    pressed->on = true;
    settings_.soundQuality = qualityOf(id);
}

// At either end of the list the same adapter is taken again: its driver name
// and text are set once more, but its modes are not listed again.
void SetupDialog::stepAdapter(int direction) {
    const int before = lists_.currentAdapterIndex();
    const DisplayListEntry* adapter = lists_.adapterByIndex(before + direction);
    if (adapter) settings_.device = adapter->driverName.value_or("");
    if (lists_.currentAdapterIndex() != before) {
        lists_.listModes();
        lists_.releaseDirectDraw();
    }
    const int line = showSection(ControlId::AdapterNextButton, 0.0f);
    if (adapter) layout(adapter->label, line, 0.0f);
}

// The knob takes the position of the hit map's colour under the pointer. With
// no mode listed the resolution knob has nothing to choose: it stays, and only
// its help text is shown.
void SetupDialog::turnKnob(Knob& knob, int x, int y, float alpha) {
    if (knob.id == ControlId::ResolutionKnob) {
        if (lists_.modeCount() > 0) setKnobFromColour(knob, scene_->hitMap.at(x, y));
        showResolution(alpha);
    } else {
        setKnobFromColour(knob, scene_->hitMap.at(x, y));
        showKnobValue(knob, alpha);
    }
}

void SetupDialog::showKnobValue(Knob& knob, float alpha) {
    const int line = showSection(knob.id, alpha);
    const int value = knobValue(knob, 100);
    settings_.*volumeSetting(knob.id) = value;
    layout(numberText(value), line, alpha);
}

void SetupDialog::showResolution(float alpha) {
    const int line = showSection(ControlId::ResolutionKnob, alpha);
    if (lists_.modeCount() == 0) return;
    const Knob* knob = findKnob(scene_->controls, ControlId::ResolutionKnob);
    const DisplayListEntry* mode = lists_.modeByIndex(knobValue(*knob, lists_.modeCount()));
    layout(mode->label, line, alpha);
    settings_.resolutionWidth = mode->width;
    settings_.resolutionHeight = mode->height;
}

// Entering a control shows its text once; the background, the outside and
// the ids that name no control let the text fade out.
void SetupDialog::hover(ControlId id) {
    bool* hovered = hoveredFlag(scene_->controls, id);
    if (hovered && *hovered) return;
    fadeOutAllLines(scene_->help);
    clearHover(scene_->controls);
    if (!hovered) return;
    showHoverText(id);
    *hovered = true;
}

void SetupDialog::showHoverText(ControlId id) {
    const int line = showSection(id, 0.0f);
    if (id == ControlId::AdapterNextButton || id == ControlId::AdapterPreviousButton) {
        if (const DisplayListEntry* adapter = lists_.adapterByDriverName(settings_.device))
            layout(adapter->label, line, 0.0f);
    } else if (id == ControlId::ResolutionKnob) {
        layout(std::to_string(settings_.resolutionWidth) + "x" + numberText(settings_.resolutionHeight), line, 0.0f);
    } else if (auto setting = volumeSetting(id)) {
        layout(numberText(settings_.*setting), line, 0.0f);
    }
}

int SetupDialog::showSection(ControlId id, float alpha) {
    return showHelpSection(scene_->help, helpTexts_, helpSection(id), alpha);
}

void SetupDialog::layout(const std::string& text, int line, float alpha) {
    layoutHelpText(scene_->help, text, line, alpha);
}

}  // namespace setup
