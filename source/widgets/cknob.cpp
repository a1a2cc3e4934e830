// A knob's drags (circular, relative circular, linear, fine with Shift) and its wheel steps.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cknob.h"

#include "cframe.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {
namespace {

constexpr double kSweepDegrees = 270.0;
constexpr double kLinearRange = 200.0; // pixels for the whole range
constexpr float kFineFactor = 10.0f;
constexpr double kDegreesPerRadian = 57.295779513082320876;

} // namespace

double CKnob::angleOf(const CPoint& where) const
{
    const CPoint centre = getViewSize().getCenter();
    return std::atan2(where.x - centre.x, centre.y - where.y) * kDegreesPerRadian;
}

void CKnob::moveTo(float newValue)
{
    newValue = std::clamp(newValue, getMin(), getMax());
    if (newValue == getValue())
        return;
    setValue(newValue);
    valueChanged();
}

CMouseEventResult CKnob::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    if (checkDefaultValue(buttons))
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    beginEdit();
    firstPoint = where;
    entryValue = getValue();
    lastAngle = angleOf(where);
    dragMode = getFrame() ? getFrame()->getKnobMode() : kCircularMode;
    coef = float((getMax() - getMin()) / kLinearRange);
    if (buttons & kShift)
    {
        dragMode = kLinearMode;
        coef /= kFineFactor;
    }
    if (dragMode == kCircularMode)
        onMouseMoved(where, buttons);
    return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseMoved(CPoint& where, const CButtonState&)
{
    if (dragMode == kNoDrag)
        return kMouseEventNotHandled;
    const double angle = angleOf(where);
    switch (dragMode)
    {
    case kLinearMode:
        moveTo(entryValue + float((firstPoint.y - where.y) + (where.x - firstPoint.x)) * coef);
        break;
    case kRelativCircularMode:
    {
        double turn = angle - lastAngle; // across the bottom the angle jumps by 360
        if (turn > 180.0)
            turn -= 360.0;
        else if (turn < -180.0)
            turn += 360.0;
        lastAngle = angle;
        moveTo(getValue() + float(turn / kSweepDegrees) * (getMax() - getMin()));
        break;
    }
    default:
        moveTo(getMin() +
               float((angle + kSweepDegrees / 2) / kSweepDegrees) * (getMax() - getMin()));
        break;
    }
    return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseUp(CPoint&, const CButtonState&)
{
    if (dragMode == kNoDrag)
        return kMouseEventNotHandled;
    dragMode = kNoDrag;
    endEdit();
    return kMouseEventHandled;
}

bool CKnob::onWheel(const CPoint&, float distance, const CButtonState& buttons)
{
    const float step = getWheelInc() * ((buttons & kShift) ? 1.0f / kFineFactor : 1.0f);
    const float target = std::clamp(getValue() + distance * step, getMin(), getMax());
    if (target != getValue())
    {
        beginEdit();
        moveTo(target);
        endEdit();
    }
    return true;
}

} // namespace VSTGUI
