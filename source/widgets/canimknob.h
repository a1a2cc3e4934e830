// A knob drawn from a film strip.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cbitmap.h"
#include "cknob.h"

namespace VSTGUI {

// Shows frame floor(value x (subPixmaps - 1)) of a strip of subPixmaps images of
// heightOfOneImage pixels stacked from top to bottom. Holds a reference to the
// strip while it lives.
class CAnimKnob : public CKnob
{
public:
    CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
              CCoord heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint());
    ~CAnimKnob() override;

    void draw(CDrawContext& context) override;
    int32_t getFrameIndex() const;

private:
    int32_t subPixmaps;
    CCoord heightOfOneImage;
    CBitmap* bitmap;
    CPoint offset;
};

} // namespace VSTGUI
