// Rectangles, film-strip frames from the scaled image sets, and aligned text drawn with cairo.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cairodrawcontext.h"

#include "cairobitmap.h"
#include "widgets/cbitmap.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {
namespace {

void setColor(cairo_t* cr, const CColor& color)
{
    cairo_set_source_rgba(cr, color.red / 255.0, color.green / 255.0, color.blue / 255.0,
                          color.alpha / 255.0);
}

} // namespace

CairoDrawContext::CairoDrawContext(cairo_t* context, double scale)
    : CDrawContext(scale), cr(cairo_reference(context))
{
    cairo_scale(cr, scale, scale);
}

CairoDrawContext::~CairoDrawContext() { cairo_destroy(cr); }

void CairoDrawContext::fillRect(const CRect& rect, const CColor& color)
{
    setColor(cr, color);
    cairo_rectangle(cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
    cairo_fill(cr);
}

void CairoDrawContext::drawBitmap(CBitmap& bitmap, const CRect& dest, const CPoint& offset,
                                  float alpha)
{
    const CBitmap::Resolution set = bitmap.forScale(getScale());
    auto* image = static_cast<CairoBitmap*>(set.bitmap);
    if (!image || dest.isEmpty())
        return;
    // Only the part under dest is the source, padded at its edges, so that the
    // smoothing of a scaled set never reaches into the next frame of a film strip.
    const double factor = set.factor;
    const int x = int(std::lround(offset.x * factor));
    const int y = int(std::lround(offset.y * factor));
    const int width = std::min(int(std::lround(dest.getWidth() * factor)), image->getWidth() - x);
    const int height =
        std::min(int(std::lround(dest.getHeight() * factor)), image->getHeight() - y);
    if (x < 0 || y < 0 || width <= 0 || height <= 0)
        return;
    cairo_surface_t* part =
        cairo_surface_create_for_rectangle(image->getSurface(), x, y, width, height);
    cairo_save(cr);
    cairo_rectangle(cr, dest.left, dest.top, width / factor, height / factor);
    cairo_clip(cr);
    cairo_translate(cr, dest.left, dest.top);
    cairo_scale(cr, 1.0 / factor, 1.0 / factor);
    cairo_set_source_surface(cr, part, 0.0, 0.0);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
    cairo_surface_destroy(part);
}

void CairoDrawContext::selectFont(CFontRef font, bool antialias)
{
    cairo_select_font_face(cr, font->name, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, font->size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options,
                                     antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

void CairoDrawContext::drawString(const std::string& text, const CRect& rect, CFontRef font,
                                  const CColor& color, CHoriTxtAlign align, bool antialias)
{
    selectFont(font, antialias);
    cairo_font_extents_t fontExtents;
    cairo_font_extents(cr, &fontExtents);
    cairo_text_extents_t textExtents;
    cairo_text_extents(cr, text.c_str(), &textExtents);
    double x = rect.left + (rect.getWidth() - textExtents.x_advance) / 2;
    if (align == kLeftText)
        x = rect.left;
    else if (align == kRightText)
        x = rect.right - textExtents.x_advance;
    const double y = rect.top +
                     (rect.getHeight() - (fontExtents.ascent + fontExtents.descent)) / 2 +
                     fontExtents.ascent;
    setColor(cr, color);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.c_str());
    cairo_new_path(cr);
}

CCoord CairoDrawContext::getStringWidth(const std::string& text, CFontRef font)
{
    selectFont(font, true);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    return extents.x_advance;
}

void CairoDrawContext::pushClipRect(const CRect& rect)
{
    cairo_save(cr);
    cairo_rectangle(cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
    cairo_clip(cr);
}

void CairoDrawContext::popClipRect() { cairo_restore(cr); }

} // namespace VSTGUI
