// The widgets' drawing operations on a GDI+ graphics object.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gdiplus.h"
#include "widgets/cdrawcontext.h"

#include <vector>

namespace VSTGUI {

// Draws on the given graphics (a window's back buffer or an image). Text in the
// font's face, or the system's sans-serif face where it is missing (Wine has no
// Arial).
class GdiplusDrawContext : public CDrawContext
{
public:
    // Scales the graphics by scale (screen pixels per panel pixel) for good.
    explicit GdiplusDrawContext(Gdiplus::Graphics& graphics, double scale = 1.0);

    void fillRect(const CRect& rect, const CColor& color) override;
    void drawBitmap(CBitmap& bitmap, const CRect& dest, const CPoint& offset, float alpha) override;
    void drawString(const std::string& text, const CRect& rect, CFontRef font, const CColor& color,
                    CHoriTxtAlign align, bool antialias) override;
    CCoord getStringWidth(const std::string& text, CFontRef font) override;
    void pushClipRect(const CRect& rect) override;
    void popClipRect() override;

private:
    Gdiplus::Graphics& graphics;
    std::vector<Gdiplus::GraphicsState> states;
};

} // namespace VSTGUI
