// Controls: views with a value that a user changes, and the listener told of it.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cview.h"

namespace VSTGUI {

class CControl;

// Receives a control's gestures: a change of its value by the user, and the
// beginning and end of a gesture (a drag, a click).
class CControlListener
{
public:
    virtual ~CControlListener() = default;
    virtual void valueChanged(CControl* control) = 0;
    virtual void controlBeginEdit(CControl* control) { (void)control; }
    virtual void controlEndEdit(CControl* control) { (void)control; }
};

// A view with a value from getMin() to getMax() (0 to 1), a default of 0.5, a
// wheel step of 0.1 and a tag naming it to its listener. setValue changes the
// value without telling the listener and redraws at the next idle tick; the
// user's changes go to the listener through valueChanged.
class CControl : public CView
{
public:
    CControl(const CRect& size, CControlListener* listener, int32_t tag);

    virtual void setValue(float newValue);
    float getValue() const { return value; }
    float getMin() const { return minimum; }
    float getMax() const { return maximum; }
    float getWheelInc() const { return wheelInc; }

    int32_t getTag() const { return tag; }

    void beginEdit();
    void endEdit();
    // Tells the listener of a change by the user.
    void valueChanged();
    // Ctrl with the left button resets the value to the default as one gesture;
    // true when it did.
    bool checkDefaultValue(const CButtonState& buttons);

private:
    CControlListener* listener;
    int32_t tag;
    float value = 0.0f;
    float minimum = 0.0f;
    float maximum = 1.0f;
    float defaultValue = 0.5f;
    float wheelInc = 0.1f;
};

} // namespace VSTGUI
