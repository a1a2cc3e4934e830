// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#include "cairodrawcontext.h"

#include "cairobitmap.h"
#include "widgets/cbitmap.h"

namespace VSTGUI {
namespace {

void setColor(cairo_t* cr, const CColor& color)
{
    cairo_set_source_rgba(cr, color.red / 255.0, color.green / 255.0, color.blue / 255.0,
                          color.alpha / 255.0);
}

} // namespace

CairoDrawContext::CairoDrawContext(cairo_t* context) : cr(cairo_reference(context)) {}

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
    auto* image = static_cast<CairoBitmap*>(bitmap.getPlatformBitmap());
    if (!image || dest.isEmpty())
        return;
    cairo_save(cr);
    cairo_rectangle(cr, dest.left, dest.top, dest.getWidth(), dest.getHeight());
    cairo_clip(cr);
    cairo_set_source_surface(cr, image->getSurface(), dest.left - offset.x, dest.top - offset.y);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
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
