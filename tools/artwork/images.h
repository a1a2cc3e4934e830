// The editor's images: each function paints one whole image onto a transparent
// surface of the size the editor expects, times scale.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cairo.h>

namespace Brumvale::Artwork {

// Each takes cr already scaled to draw in the editor's units, and scale, the
// device pixels per unit, for the textures that are computed pixel by pixel.
void drawBackground(cairo_t* cr, int scale); // 180 x 240
void drawKnob(cairo_t* cr, int scale);       // 40 x 3200: 80 frames of 40 x 40
void drawSplash(cairo_t* cr, int scale);     // 180 x 240
void drawBypassLamp(cairo_t* cr, int scale); // 40 x 80: lit, then unlit
void drawHiFiSwitch(cairo_t* cr, int scale); // 60 x 40: two frames of 60 x 20
void drawWarmthSwitch(cairo_t* cr, int scale);

} // namespace Brumvale::Artwork
