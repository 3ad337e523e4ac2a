#pragma once
// What the controls need from the list of display modes: the resolution knob's
// range and the place of the configured mode in it.

namespace setup {

class ModeSource {
public:
    virtual ~ModeSource() = default;
    virtual int modeCount() const = 0;
    // Index of the first mode of exactly that size; 0 when none has it.
    virtual int modeIndexOf(int width, int height) const = 0;
};

}  // namespace setup
