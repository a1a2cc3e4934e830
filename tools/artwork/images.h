// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
// The editor's images: each function paints one whole image onto a transparent
// surface of the size the editor expects.
#pragma once

#include <cairo.h>

namespace Brumvale::Artwork {

void drawBackground(cairo_t* cr); // 180 x 240
void drawKnob(cairo_t* cr);       // 40 x 3200: 80 frames of 40 x 40
void drawSplash(cairo_t* cr);     // 180 x 240
void drawBypassLamp(cairo_t* cr); // 40 x 80: lit, then unlit
void drawHiFiSwitch(cairo_t* cr); // 60 x 40: two frames of 60 x 20
void drawWarmthSwitch(cairo_t* cr);

} // namespace Brumvale::Artwork
