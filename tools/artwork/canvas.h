// Drawing helpers shared by the images: surfaces, colours, shapes and text.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cairo.h>

#include <memory>
#include <string>

namespace Brumvale::Artwork {

struct SurfaceDeleter
{
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextDeleter
{
    void operator()(cairo_t* context) const { cairo_destroy(context); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

// A context on surface with the font rendering fixed, so that the images come
// out the same whatever the machine's fontconfig prefers.
Context drawingContext(cairo_surface_t* surface);

constexpr double kPi = 3.14159265358979323846;

// Red, green, blue, each from 0 to 1.
struct Colour
{
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
};

// A colour from 8-bit components, as designers give them.
constexpr Colour rgb8(int red, int green, int blue)
{
    return {red / 255.0, green / 255.0, blue / 255.0};
}

void setColour(cairo_t* cr, const Colour& colour, double alpha = 1.0);
void addStop(cairo_pattern_t* pattern, double offset, const Colour& colour, double alpha = 1.0);

// Adds a rectangle with corners rounded to radius to the current path.
void roundedRectangle(cairo_t* cr, double x, double y, double width, double height, double radius);

enum class Face
{
    Sans,
    SansBold,
    SerifBold,
    SerifItalic
};

void setFont(cairo_t* cr, Face face, double size);

// The width of text with tracking extra units between letters, from the left
// of the first glyph's ink to the right of the last one's.
double inkWidth(cairo_t* cr, const std::string& text, double tracking = 0.0);

// Draws text in the current source with the centre of its ink at (x, y) and
// tracking extra units between letters.
void centredText(cairo_t* cr, const std::string& text, double x, double y, double tracking = 0.0);

// Fills text centred at (x, y) in colour over a dark copy a unit below it,
// so that light lettering reads on the light and the dark end of the panel.
void engravedText(cairo_t* cr, const std::string& text, double x, double y, const Colour& colour,
                  double tracking = 0.0, double shadowAlpha = 0.45);

} // namespace Brumvale::Artwork
