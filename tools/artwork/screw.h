// The slotted screws that hold the panel in its case.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cairo.h>

namespace Brumvale::Artwork {

// A slotted screw head centred on (x, y), its slot turned slotDegrees from
// level, lit like the rest of the artwork from the top left.
void drawScrew(cairo_t* cr, double x, double y, double slotDegrees);

} // namespace Brumvale::Artwork
