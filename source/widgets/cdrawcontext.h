// The drawing operations the widgets use, implemented by each platform backend.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ccolor.h"
#include "cfont.h"
#include "cgeometry.h"

#include <string>

namespace VSTGUI {

class CBitmap;

enum CHoriTxtAlign
{
    kLeftText,
    kCenterText,
    kRightText,
};

// Draws into a window's back buffer or an offscreen image. Coordinates are the
// frame's panel pixels; the context maps them to scale screen pixels each, so
// shapes and text are drawn at the screen's resolution and bitmaps from their
// densest set that is needed. Drawing is clipped to the current clip rectangle.
class CDrawContext
{
public:
    explicit CDrawContext(double scale = 1.0) : scale(scale) {}
    virtual ~CDrawContext() = default;

    // Screen pixels per panel pixel.
    double getScale() const { return scale; }

    virtual void fillRect(const CRect& rect, const CColor& color) = 0;
    // Draws the part of the bitmap that starts at offset into dest, panel pixel for
    // panel pixel; a set denser than the screen is scaled down smoothly.
    virtual void drawBitmap(CBitmap& bitmap, const CRect& dest, const CPoint& offset,
                            float alpha = 1.0f) = 0;
    // One line of UTF-8 text, vertically centred in rect.
    virtual void drawString(const std::string& text, const CRect& rect, CFontRef font,
                            const CColor& color, CHoriTxtAlign align, bool antialias) = 0;
    virtual CCoord getStringWidth(const std::string& text, CFontRef font) = 0;

    // Clip rectangles nest: each push narrows the one before, each pop restores it.
    virtual void pushClipRect(const CRect& rect) = 0;
    virtual void popClipRect() = 0;

private:
    double scale;
};

} // namespace VSTGUI
