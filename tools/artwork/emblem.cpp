// The brand marks that the panel and the about panel share.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "emblem.h"

#include "canvas.h"

namespace Brumvale::Artwork {
namespace {

const Colour kWhite{1.0, 1.0, 1.0};
// The faint blue that white lettering shades to, as if lit from above.
const Colour kPaleSteel{0.84, 0.89, 0.95};

} // namespace

void drawEmblem(cairo_t* cr, double x, double y, double radius)
{
    cairo_save(cr);
    cairo_push_group(cr);
    cairo_pattern_t* coin = cairo_pattern_create_linear(x, y - radius, x, y + radius);
    addStop(coin, 0.0, kWhite);
    addStop(coin, 1.0, kPaleSteel);
    cairo_set_source(cr, coin);
    cairo_arc(cr, x, y, radius, 0.0, 2.0 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(coin);

    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_set_line_width(cr, radius * 0.09);
    cairo_arc(cr, x, y, radius * 0.81, 0.0, 2.0 * kPi);
    cairo_stroke(cr);
    // A K whose arms stand free of the stem, the gap echoing the ring's.
    cairo_rectangle(cr, x - 0.42 * radius, y - 0.45 * radius, 0.2 * radius, 0.9 * radius);
    cairo_fill(cr);
    cairo_set_line_width(cr, 0.19 * radius);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_move_to(cr, x + 0.36 * radius, y - 0.45 * radius);
    cairo_line_to(cr, x - 0.10 * radius, y);
    cairo_line_to(cr, x + 0.36 * radius, y + 0.45 * radius);
    cairo_stroke(cr);
    cairo_pattern_t* emblem = cairo_pop_group(cr);
    cairo_restore(cr);

    // A shadow of the same shape a unit lower, like engravedText's.
    cairo_matrix_t placed;
    cairo_pattern_get_matrix(emblem, &placed);
    cairo_matrix_t down;
    cairo_matrix_init_translate(&down, 0.0, -1.0);
    cairo_matrix_t lower;
    cairo_matrix_multiply(&lower, &down, &placed);
    cairo_pattern_set_matrix(emblem, &lower);
    cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, 0.45);
    cairo_mask(cr, emblem);
    cairo_pattern_set_matrix(emblem, &placed);
    cairo_set_source(cr, emblem);
    cairo_paint(cr);
    cairo_pattern_destroy(emblem);
}

void drawMakerSignature(cairo_t* cr, double x, double y, double height)
{
    const char* const name = "Kelmarotte";
    const double tracking = 0.4;
    const double gap = height * 0.35;
    setFont(cr, Face::SerifItalic, height * 0.92);
    const double nameWidth = inkWidth(cr, name, tracking);
    const double left = x - (height + gap + nameWidth) / 2.0;
    drawEmblem(cr, left + height / 2.0, y, height / 2.0);
    engravedText(cr, name, left + height + gap + nameWidth / 2.0, y, kWhite, tracking);
}

void drawWordMark(cairo_t* cr, double x, double y, double size)
{
    const char* const name = "Brumvale";
    const double tracking = size * 0.03;
    setFont(cr, Face::SerifBold, size);
    cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, 0.5);
    centredText(cr, name, x, y + 1.2, tracking);
    cairo_pattern_t* shade = cairo_pattern_create_linear(0.0, y - size * 0.4, 0.0, y + size * 0.4);
    addStop(shade, 0.0, kWhite);
    addStop(shade, 1.0, kPaleSteel);
    cairo_set_source(cr, shade);
    centredText(cr, name, x, y, tracking);
    cairo_pattern_destroy(shade);
}

} // namespace Brumvale::Artwork
