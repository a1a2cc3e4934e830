// Drawing helpers shared by the images: surfaces, colours, shapes and text.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas.h"

#include <algorithm>
#include <vector>

namespace Brumvale::Artwork {
namespace {

struct Ink
{
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

// Splits UTF-8 text into its characters, so that tracking goes between letters
// rather than between the bytes of one.
std::vector<std::string> characters(const std::string& text)
{
    std::vector<std::string> result;
    for (unsigned char byte : text)
        if ((byte & 0xC0) == 0x80 && !result.empty())
            result.back() += char(byte);
        else
            result.emplace_back(1, char(byte));
    return result;
}

// Where the ink of text drawn from the origin with tracking lands.
Ink inkOf(cairo_t* cr, const std::string& text, double tracking)
{
    Ink ink;
    bool first = true;
    double pen = 0.0;
    for (const std::string& character : characters(text))
    {
        cairo_text_extents_t extents;
        cairo_text_extents(cr, character.c_str(), &extents);
        if (extents.width > 0.0)
        {
            const Ink glyph{pen + extents.x_bearing, extents.y_bearing,
                            pen + extents.x_bearing + extents.width,
                            extents.y_bearing + extents.height};
            ink = first ? glyph
                        : Ink{std::min(ink.left, glyph.left), std::min(ink.top, glyph.top),
                              std::max(ink.right, glyph.right), std::max(ink.bottom, glyph.bottom)};
            first = false;
        }
        pen += extents.x_advance + tracking;
    }
    return ink;
}

} // namespace

Context drawingContext(cairo_surface_t* surface)
{
    Context context(cairo_create(surface));
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(context.get(), options);
    cairo_font_options_destroy(options);
    return context;
}

void setColour(cairo_t* cr, const Colour& colour, double alpha)
{
    cairo_set_source_rgba(cr, colour.red, colour.green, colour.blue, alpha);
}

void addStop(cairo_pattern_t* pattern, double offset, const Colour& colour, double alpha)
{
    cairo_pattern_add_color_stop_rgba(pattern, offset, colour.red, colour.green, colour.blue,
                                      alpha);
}

void roundedRectangle(cairo_t* cr, double x, double y, double width, double height, double radius)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + width - radius, y + radius, radius, -kPi / 2.0, 0.0);
    cairo_arc(cr, x + width - radius, y + height - radius, radius, 0.0, kPi / 2.0);
    cairo_arc(cr, x + radius, y + height - radius, radius, kPi / 2.0, kPi);
    cairo_arc(cr, x + radius, y + radius, radius, kPi, 3.0 * kPi / 2.0);
    cairo_close_path(cr);
}

void setFont(cairo_t* cr, Face face, double size)
{
    const bool serif = face == Face::SerifBold || face == Face::SerifItalic;
    const bool bold = face == Face::SansBold || face == Face::SerifBold;
    cairo_select_font_face(cr, serif ? "Liberation Serif" : "Liberation Sans",
                           face == Face::SerifItalic ? CAIRO_FONT_SLANT_ITALIC
                                                     : CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}

double inkWidth(cairo_t* cr, const std::string& text, double tracking)
{
    const Ink ink = inkOf(cr, text, tracking);
    return ink.right - ink.left;
}

void centredText(cairo_t* cr, const std::string& text, double x, double y, double tracking)
{
    const Ink ink = inkOf(cr, text, tracking);
    double pen = x - (ink.left + ink.right) / 2.0;
    const double baseline = y - (ink.top + ink.bottom) / 2.0;
    // Filled outlines rather than cairo_show_text, which would round each
    // glyph to a whole pixel and space small lettering unevenly.
    cairo_new_path(cr);
    for (const std::string& character : characters(text))
    {
        cairo_move_to(cr, pen, baseline);
        cairo_text_path(cr, character.c_str());
        cairo_text_extents_t extents;
        cairo_text_extents(cr, character.c_str(), &extents);
        pen += extents.x_advance + tracking;
    }
    cairo_fill(cr);
}

void engravedText(cairo_t* cr, const std::string& text, double x, double y, const Colour& colour,
                  double tracking, double shadowAlpha)
{
    cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, shadowAlpha);
    centredText(cr, text, x, y + 1.0, tracking);
    setColour(cr, colour);
    centredText(cr, text, x, y, tracking);
}

} // namespace Brumvale::Artwork
