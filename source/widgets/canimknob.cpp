// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
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
    const float position = (getValue() - getMin()) / (getMax() - getMin());
    return std::clamp(int32_t(position * float(subPixmaps - 1)), 0, std::max(subPixmaps - 1, 0));
}

void CAnimKnob::draw(CDrawContext& context)
{
    if (bitmap)
        context.drawBitmap(*bitmap, getViewSize(),
                           CPoint(offset.x, offset.y + getFrameIndex() * heightOfOneImage));
}

} // namespace VSTGUI
