// A control's value, the listener's calls around an edit, and Ctrl-click for the default value.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ccontrol.h"

namespace VSTGUI {

CControl::CControl(const CRect& size, CControlListener* listener, int32_t tag)
    : CView(size), listener(listener), tag(tag)
{}

void CControl::setValue(float newValue)
{
    if (newValue != value)
        setDirty();
    value = newValue;
}

void CControl::beginEdit()
{
    if (listener)
        listener->controlBeginEdit(this);
}

void CControl::endEdit()
{
    if (listener)
        listener->controlEndEdit(this);
}

void CControl::valueChanged()
{
    if (listener)
        listener->valueChanged(this);
}

bool CControl::checkDefaultValue(const CButtonState& buttons)
{
    if (buttons != (kLButton | kControl))
        return false;
    beginEdit();
    setValue(defaultValue);
    valueChanged();
    endEdit();
    return true;
}

} // namespace VSTGUI
