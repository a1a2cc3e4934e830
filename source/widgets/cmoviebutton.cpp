// The switch's drawing, and its toggle, taken back when the mouse is released outside it.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cmoviebutton.h"

namespace VSTGUI {

CMovieButton::CMovieButton(const CRect& size, CControlListener* listener, int32_t tag,
                           CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag), bitmap(background), offset(offset)
{
    if (bitmap)
        bitmap->remember();
}

CMovieButton::~CMovieButton()
{
    if (bitmap)
        bitmap->forget();
}

void CMovieButton::draw(CDrawContext& context)
{
    if (!bitmap)
        return;
    const CCoord frameOffset = getValue() == getMin() ? 0 : getViewSize().getHeight();
    context.drawBitmap(*bitmap, getViewSize(), CPoint(offset.x, offset.y + frameOffset));
}

CMouseEventResult CMovieButton::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    pressed = true;
    entryValue = getValue();
    beginEdit();
    return onMouseMoved(where, buttons);
}

CMouseEventResult CMovieButton::onMouseMoved(CPoint& where, const CButtonState&)
{
    if (!pressed)
        return kMouseEventNotHandled;
    const float toggled = entryValue == getMax() ? getMin() : getMax();
    const float target = getViewSize().pointInside(where) ? toggled : entryValue;
    if (target != getValue())
    {
        setValue(target);
        valueChanged();
    }
    return kMouseEventHandled;
}

CMouseEventResult CMovieButton::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    if (!pressed)
        return kMouseEventNotHandled;
    onMouseMoved(where, buttons);
    pressed = false;
    endEdit();
    return kMouseEventHandled;
}

} // namespace VSTGUI
