// The slotted screws that hold the panel in its case.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "screw.h"

#include "canvas.h"

#include <cmath>

namespace Brumvale::Artwork {

void drawScrew(cairo_t* cr, double x, double y, double slotDegrees)
{
    const double radius = 3.6;
    // Countersunk: a dark hole a little wider than the head, then the domed head.
    cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, 0.45);
    cairo_arc(cr, x, y + 0.5, radius + 0.9, 0.0, 2.0 * kPi);
    cairo_fill(cr);
    cairo_pattern_t* head = cairo_pattern_create_radial(x - 1.2, y - 1.4, 0.3, x, y, radius);
    addStop(head, 0.0, Colour{0.97, 0.98, 1.0});
    addStop(head, 0.55, Colour{0.70, 0.74, 0.79});
    addStop(head, 1.0, Colour{0.36, 0.40, 0.46});
    cairo_set_source(cr, head);
    cairo_arc(cr, x, y, radius, 0.0, 2.0 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(head);

    const double angle = slotDegrees * kPi / 180.0;
    const double dx = std::cos(angle) * (radius);
    const double dy = std::sin(angle) * (radius);
    cairo_save(cr);
    cairo_arc(cr, x, y, radius, 0.0, 2.0 * kPi);
    cairo_clip(cr);
    cairo_set_line_width(cr, 1.0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    // The slot's lower lip catches the light.
    cairo_set_source_rgba(cr, 1.0, 1.0, 1.0, 0.45);
    cairo_move_to(cr, x - dx, y - dy + 0.6);
    cairo_line_to(cr, x + dx, y + dy + 0.6);
    cairo_stroke(cr);
    cairo_set_source_rgba(cr, 0.08, 0.09, 0.11, 0.9);
    cairo_move_to(cr, x - dx, y - dy);
    cairo_line_to(cr, x + dx, y + dy);
    cairo_stroke(cr);
    cairo_restore(cr);
}

} // namespace Brumvale::Artwork
