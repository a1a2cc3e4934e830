// The brand marks that the panel and the about panel share.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cairo.h>

namespace Brumvale::Artwork {

// The maker's emblem over its shadow: a white coin with a K cut through it, so
// that whatever lies beneath shows in the letter.
void drawEmblem(cairo_t* cr, double x, double y, double radius);

// The emblem followed by the maker's name, the pair centred on (x, y) and
// height units tall.
void drawMakerSignature(cairo_t* cr, double x, double y, double height);

// The product's name in white serif capitals and lower case, centred on (x, y).
void drawWordMark(cairo_t* cr, double x, double y, double size);

} // namespace Brumvale::Artwork
