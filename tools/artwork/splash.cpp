// The about panel: maker, product, web address, year and the VST credit.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas.h"
#include "emblem.h"
#include "images.h"
#include "metal.h"

namespace Brumvale::Artwork {
namespace {

constexpr double kWidth = 180.0;
constexpr double kHeight = 240.0;
constexpr double kMiddle = kWidth / 2.0;
// Most of the panel lets a tenth of the editor behind it show through.
constexpr double kFieldAlpha = 230.0 / 255.0;
const Colour kWhite{1.0, 1.0, 1.0};
const Colour kPale{0.72, 0.84, 0.96};

void paintField(cairo_t* cr, int scale)
{
    cairo_pattern_t* field =
        cairo_pattern_create_radial(kMiddle, 105.0, 0.0, kMiddle, 105.0, 150.0);
    addStop(field, 0.0, Colour{0.18, 0.31, 0.45}, kFieldAlpha);
    addStop(field, 1.0, Colour{0.03, 0.07, 0.12}, kFieldAlpha);
    cairo_set_source(cr, field);
    cairo_paint(cr);
    cairo_pattern_destroy(field);
    brushSurface(cairo_get_target(cr), 0.008, 0x5b1a54u, scale);

    cairo_set_line_width(cr, 1.0);
    cairo_set_source_rgba(cr, 1.0, 1.0, 1.0, 0.2);
    roundedRectangle(cr, 4.5, 4.5, kWidth - 9.0, kHeight - 9.0, 6.0);
    cairo_stroke(cr);
}

// A hairline that fades out at both ends, to set the blocks of text apart.
void drawRule(cairo_t* cr, double y, double halfWidth)
{
    cairo_pattern_t* rule =
        cairo_pattern_create_linear(kMiddle - halfWidth, 0.0, kMiddle + halfWidth, 0.0);
    addStop(rule, 0.0, kPale, 0.0);
    addStop(rule, 0.5, kPale, 0.6);
    addStop(rule, 1.0, kPale, 0.0);
    cairo_set_source(cr, rule);
    cairo_rectangle(cr, kMiddle - halfWidth, y, 2.0 * halfWidth, 1.0);
    cairo_fill(cr);
    cairo_pattern_destroy(rule);
}

// A rounded white badge with the letters VST cut out of it.
void drawVstBadge(cairo_t* cr, double y)
{
    const double width = 46.0;
    const double height = 22.0;
    cairo_save(cr);
    cairo_push_group(cr);
    cairo_pattern_t* face =
        cairo_pattern_create_linear(0.0, y - height / 2.0, 0.0, y + height / 2.0);
    addStop(face, 0.0, kWhite);
    addStop(face, 1.0, Colour{0.80, 0.86, 0.93});
    cairo_set_source(cr, face);
    roundedRectangle(cr, kMiddle - width / 2.0, y - height / 2.0, width, height, 5.0);
    cairo_fill(cr);
    cairo_pattern_destroy(face);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    setFont(cr, Face::SansBold, 15.0);
    centredText(cr, "VST", kMiddle, y, 1.5);
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
    cairo_restore(cr);
}

} // namespace

void drawSplash(cairo_t* cr, int scale)
{
    paintField(cr, scale);

    drawEmblem(cr, kMiddle, 36.0, 17.0);
    setFont(cr, Face::SansBold, 8.0);
    engravedText(cr, "KELMAROTTE", kMiddle, 64.0, kWhite, 2.4);
    drawRule(cr, 75.0, 60.0);

    drawWordMark(cr, kMiddle, 95.0, 30.0);
    setFont(cr, Face::SerifItalic, 11.0);
    engravedText(cr, "octave fuzz", kMiddle, 116.0, kPale, 0.6);

    setFont(cr, Face::Sans, 8.5);
    engravedText(cr, "kelmarotte.example/brumvale", kMiddle, 135.0, kWhite, 0.2);
    engravedText(cr, "\u00a9 2015 Kelmarotte", kMiddle, 148.0, kPale, 0.2);
    drawRule(cr, 161.0, 60.0);

    drawVstBadge(cr, 183.0);
    setFont(cr, Face::Sans, 7.0);
    engravedText(cr, "VST is a trademark of", kMiddle, 206.0, kPale, 0.2);
    engravedText(cr, "Steinberg Media Technologies GmbH", kMiddle, 215.0, kPale, 0.2);
}

} // namespace Brumvale::Artwork
