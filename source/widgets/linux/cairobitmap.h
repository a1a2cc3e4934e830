// A decoded image as a cairo surface.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/platform.h"

#include <cairo.h>

namespace VSTGUI {

class CairoBitmap : public IPlatformBitmap
{
public:
    // Takes over the surface.
    explicit CairoBitmap(cairo_surface_t* surface) : surface(surface) {}
    ~CairoBitmap() override { cairo_surface_destroy(surface); }
    CairoBitmap(const CairoBitmap&) = delete;
    CairoBitmap& operator=(const CairoBitmap&) = delete;

    int getWidth() const override { return cairo_image_surface_get_width(surface); }
    int getHeight() const override { return cairo_image_surface_get_height(surface); }
    cairo_surface_t* getSurface() const { return surface; }

private:
    cairo_surface_t* surface;
};

} // namespace VSTGUI
