// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
// What a frame asks of the editor that owns it.
#pragma once

#include <cstdint>

namespace VSTGUI {

// How a knob follows the mouse; the numbers are the VST 3 host knob modes.
enum : int32_t
{
    kCircularMode = 0,        // the pointer turns towards the mouse
    kRelativCircularMode = 1, // the pointer turns as far as the mouse turns around it
    kLinearMode = 2,          // up and right raise the value
};

class VSTGUIEditorInterface
{
public:
    virtual ~VSTGUIEditorInterface() = default;
    virtual int32_t getKnobMode() const = 0;
};

} // namespace VSTGUI
