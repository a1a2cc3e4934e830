// A view's default answers, handling no mouse, wheel or key event, and its resizing.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cview.h"

namespace VSTGUI {

CMouseEventResult CView::onMouseDown(CPoint&, const CButtonState&) { return kMouseEventNotHandled; }

CMouseEventResult CView::onMouseMoved(CPoint&, const CButtonState&)
{
    return kMouseEventNotHandled;
}

CMouseEventResult CView::onMouseUp(CPoint&, const CButtonState&) { return kMouseEventNotHandled; }

bool CView::onWheel(const CPoint&, float, const CButtonState&) { return false; }

int32_t CView::onKeyDown(VstKeyCode&) { return -1; }

void CView::setViewSize(const CRect& rect)
{
    size = rect;
    setDirty();
}

} // namespace VSTGUI
