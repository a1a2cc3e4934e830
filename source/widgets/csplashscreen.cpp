// The splash screen's picture, opened as the frame's modal view and closed by a click on it.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "csplashscreen.h"

#include "cframe.h"

namespace VSTGUI {
namespace {

// The picture while it is shown; a click on it closes it.
class SplashView : public CView
{
public:
    SplashView(CSplashScreen& owner, CBitmap& bitmap, const CRect& rect, const CPoint& offset)
        : CView(rect), owner(owner), bitmap(bitmap), offset(offset)
    {
        bitmap.remember();
    }
    ~SplashView() override { bitmap.forget(); }

    void draw(CDrawContext& context) override { context.drawBitmap(bitmap, getViewSize(), offset); }
    CMouseEventResult onMouseDown(CPoint&, const CButtonState& buttons) override
    {
        if (!(buttons & kLButton))
            return kMouseEventNotHandled;
        owner.unSplash();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }

private:
    CSplashScreen& owner;
    CBitmap& bitmap;
    CPoint offset;
};

} // namespace

CSplashScreen::CSplashScreen(const CRect& size, CControlListener* listener, int32_t tag,
                             CBitmap* background, const CRect& displayRect, const CPoint& offset)
    : CControl(size, listener, tag), bitmap(background), displayRect(displayRect), offset(offset)
{
    if (bitmap)
        bitmap->remember();
}

CSplashScreen::~CSplashScreen()
{
    if (bitmap)
        bitmap->forget();
}

CMouseEventResult CSplashScreen::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!(buttons & kLButton) || !bitmap || !getFrame() || getFrame()->getModalView())
        return kMouseEventNotHandled;
    setValue(getMax());
    getFrame()->setModalView(new SplashView(*this, *bitmap, displayRect, offset));
    valueChanged();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void CSplashScreen::unSplash()
{
    if (getFrame())
        getFrame()->setModalView(nullptr);
    setValue(getMin());
    valueChanged();
}

} // namespace VSTGUI
