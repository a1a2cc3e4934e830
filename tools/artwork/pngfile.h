// Writes a cairo image as an 8-bit RGBA PNG file.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cairo.h>

#include <string>

namespace Brumvale::Artwork {

// Writes an ARGB32 surface to path with an alpha channel even when every pixel
// is opaque (cairo_surface_write_to_png would then leave the channel out). On
// failure returns false with a one-line reason in error.
bool writeRgbaPng(cairo_surface_t* surface, const std::string& path, std::string& error);

} // namespace Brumvale::Artwork
