// What a frame asks of the editor that owns it.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cgeometry.h"

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
    // A right click on the panel (panel pixels) that no modal view takes; true
    // when the editor showed a menu for it.
    virtual bool openContextMenu(const CPoint& where)
    {
        (void)where;
        return false;
    }
};

} // namespace VSTGUI
