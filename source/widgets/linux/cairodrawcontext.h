// The widgets' drawing operations on a cairo context.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/cdrawcontext.h"

#include <cairo.h>

namespace VSTGUI {

// Draws on the given cairo context (a window's back buffer or an image); text in
// the font's family as fontconfig resolves it ("Arial": Liberation Sans).
class CairoDrawContext : public CDrawContext
{
public:
    // Adds a reference to the context for its own lifetime; scales it by scale
    // (screen pixels per panel pixel) for good.
    explicit CairoDrawContext(cairo_t* context, double scale = 1.0);
    ~CairoDrawContext() override;
    CairoDrawContext(const CairoDrawContext&) = delete;
    CairoDrawContext& operator=(const CairoDrawContext&) = delete;

    void fillRect(const CRect& rect, const CColor& color) override;
    void drawBitmap(CBitmap& bitmap, const CRect& dest, const CPoint& offset, float alpha) override;
    void drawString(const std::string& text, const CRect& rect, CFontRef font, const CColor& color,
                    CHoriTxtAlign align, bool antialias) override;
    CCoord getStringWidth(const std::string& text, CFontRef font) override;
    void pushClipRect(const CRect& rect) override;
    void popClipRect() override;

private:
    void selectFont(CFontRef font, bool antialias);

    cairo_t* cr;
};

} // namespace VSTGUI
