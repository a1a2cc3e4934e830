// The film-strip knob: which frame its value shows, and drawing it.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canimknob.h"

#include <algorithm>

namespace VSTGUI {

CAnimKnob::CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
                     CCoord heightOfOneImage, CBitmap* background, const CPoint& offset)
    : CKnob(size, listener, tag), subPixmaps(subPixmaps), heightOfOneImage(heightOfOneImage),
      bitmap(background), offset(offset)
{
    if (bitmap)
        bitmap->remember();
}

CAnimKnob::~CAnimKnob()
{
    if (bitmap)
        bitmap->forget();
}

int32_t CAnimKnob::getFrameIndex() const
{
    // Values outside the range (or not numbers) show the nearest end frame; the float
    // is limited before it becomes an integer.
    const float position = (getValue() - getMin()) / (getMax() - getMin());
    if (!(position > 0.0f) || subPixmaps < 2)
        return 0;
    return int32_t(std::min(position, 1.0f) * float(subPixmaps - 1));
}

void CAnimKnob::draw(CDrawContext& context)
{
    if (bitmap)
        context.drawBitmap(*bitmap, getViewSize(),
                           CPoint(offset.x, offset.y + getFrameIndex() * heightOfOneImage));
}

} // namespace VSTGUI
