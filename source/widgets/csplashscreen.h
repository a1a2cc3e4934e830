// An invisible strip that opens a picture over the panel, as an about box.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cbitmap.h"
#include "ccontrol.h"

namespace VSTGUI {

// Draws nothing itself. A left click sets the value to 1 and shows the bitmap (from
// offset) over displayRect as the frame's modal view; a click on the picture
// closes it and sets the value back to 0. Each change reaches the listener through
// valueChanged. Holds a reference to the bitmap.
class CSplashScreen : public CControl
{
public:
    CSplashScreen(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                  const CRect& displayRect, const CPoint& offset = CPoint());
    ~CSplashScreen() override;

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    void unSplash();

private:
    CBitmap* bitmap;
    CRect displayRect;
    CPoint offset;
};

} // namespace VSTGUI
