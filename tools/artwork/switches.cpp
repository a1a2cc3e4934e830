// The two text switches, each a word on a dark box above the same word on a light one.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas.h"
#include "images.h"

namespace Brumvale::Artwork {
namespace {

constexpr double kWidth = 60.0;
constexpr double kHeight = 20.0;
constexpr double kCorner = 5.0;
const Colour kInk{0.06, 0.11, 0.17};
const Colour kWhite{1.0, 1.0, 1.0};

// The box's outline, a unit wide on half units, covers whole pixels at any
// whole scale, so that its edge stays sharp.
void boxPath(cairo_t* cr) { roundedRectangle(cr, 1.5, 1.5, kWidth - 3.0, kHeight - 3.0, kCorner); }

void drawDarkFrame(cairo_t* cr, const char* word)
{
    cairo_pattern_t* fill = cairo_pattern_create_linear(0.0, 1.0, 0.0, kHeight - 1.0);
    addStop(fill, 0.0, Colour{0.20, 0.26, 0.34});
    addStop(fill, 0.5, Colour{0.09, 0.12, 0.17});
    addStop(fill, 1.0, Colour{0.04, 0.06, 0.09});
    cairo_set_source(cr, fill);
    boxPath(cr);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, 0.7);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    // A lit upper edge just inside the outline, as on a moulded key.
    cairo_set_source_rgba(cr, 1.0, 1.0, 1.0, 0.22);
    roundedRectangle(cr, 2.5, 2.5, kWidth - 5.0, kHeight - 5.0, kCorner - 1.0);
    cairo_stroke(cr);

    setFont(cr, Face::SansBold, 9.0);
    engravedText(cr, word, kWidth / 2.0, kHeight / 2.0, kWhite, 0.4, 0.8);
}

void drawLightFrame(cairo_t* cr, const char* word)
{
    cairo_pattern_t* fill = cairo_pattern_create_linear(0.0, 1.0, 0.0, kHeight - 1.0);
    cairo_pattern_add_color_stop_rgba(fill, 0.0, 1.0, 1.0, 1.0, 0.82);
    cairo_pattern_add_color_stop_rgba(fill, 1.0, 0.80, 0.87, 0.94, 0.62);
    cairo_set_source(cr, fill);
    boxPath(cr);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    cairo_set_source_rgba(cr, 1.0, 1.0, 1.0, 0.9);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);

    setFont(cr, Face::SansBold, 9.0);
    cairo_set_source_rgba(cr, 1.0, 1.0, 1.0, 0.6);
    centredText(cr, word, kWidth / 2.0, kHeight / 2.0 + 0.8, 0.4);
    setColour(cr, kInk);
    centredText(cr, word, kWidth / 2.0, kHeight / 2.0, 0.4);
}

void drawSwitch(cairo_t* cr, const char* word)
{
    drawDarkFrame(cr, word);
    cairo_translate(cr, 0.0, kHeight);
    drawLightFrame(cr, word);
}

} // namespace

// Vector shapes and text only, which cr's scale makes sharp at any density.
void drawHiFiSwitch(cairo_t* cr, int /*scale*/) { drawSwitch(cr, "Anti-Alias"); }

void drawWarmthSwitch(cairo_t* cr, int /*scale*/) { drawSwitch(cr, "Warmth"); }

} // namespace Brumvale::Artwork
