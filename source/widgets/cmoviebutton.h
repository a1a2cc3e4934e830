// An on/off switch drawn from a two-frame strip.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cbitmap.h"
#include "ccontrol.h"

namespace VSTGUI {

// Shows the strip's upper frame while its value is the minimum (0) and the lower
// frame otherwise; each frame is as high as the control. A click toggles it as one
// gesture: beginEdit, the change (valueChanged), endEdit; dragging off the control
// before release takes the change back. Holds a reference to the strip.
class CMovieButton : public CControl
{
public:
    CMovieButton(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                 const CPoint& offset = CPoint());
    ~CMovieButton() override;

    void draw(CDrawContext& context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;

private:
    CBitmap* bitmap;
    CPoint offset;
    float entryValue = 0.0f;
    bool pressed = false;
};

} // namespace VSTGUI
