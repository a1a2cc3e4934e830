// The mouse and wheel behaviour of a rotary knob.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ccontrol.h"

namespace VSTGUI {

// A knob turning over 270 degrees, from lower left (minimum) through straight up
// to lower right (maximum). A drag follows the editor's knob mode (circular,
// relative circular or linear: 200 pixels for the whole range); with Shift held it
// is a fine linear drag, ten times slower. Ctrl-click resets to the default value,
// the wheel steps by 0.1 (0.01 with Shift). Every gesture is bracketed by
// beginEdit and endEdit, with valueChanged for each change between.
class CKnob : public CControl
{
public:
    using CControl::CControl;

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, float distance, const CButtonState& buttons) override;

private:
    // Degrees clockwise from straight up, -180 to 180, around the knob's centre.
    double angleOf(const CPoint& where) const;
    void moveTo(float newValue);

    int32_t dragMode = kNoDrag;
    CPoint firstPoint;
    float entryValue = 0.0f;
    double lastAngle = 0.0;
    float coef = 0.0f;

    static constexpr int32_t kNoDrag = -1;
};

} // namespace VSTGUI
