// The bypass lamp: a red jewel in a chrome bezel, lit and unlit.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas.h"
#include "images.h"

namespace Brumvale::Artwork {
namespace {

constexpr double kSize = 40.0;
constexpr double kCentre = kSize / 2.0;
constexpr double kBezel = 13.5;
constexpr double kSeat = 11.2;
constexpr double kGlass = 10.2;

// The glass's colours from its hot centre to its rim.
struct Glass
{
    Colour centre;
    Colour body;
    Colour rim;
};
const Glass kLit{{1.0, 0.86, 0.70}, {1.0, 0.16, 0.08}, {0.55, 0.02, 0.02}};
const Glass kUnlit{{0.66, 0.65, 0.66}, {0.40, 0.40, 0.42}, {0.17, 0.17, 0.19}};

void fillCircle(cairo_t* cr, double radius)
{
    cairo_arc(cr, kCentre, kCentre, radius, 0.0, 2.0 * kPi);
    cairo_fill(cr);
}

// Red light spilling onto the panel around the lit lamp, gone by the frame's edge.
void drawGlow(cairo_t* cr)
{
    cairo_pattern_t* glow =
        cairo_pattern_create_radial(kCentre, kCentre, kGlass, kCentre, kCentre, kCentre);
    cairo_pattern_add_color_stop_rgba(glow, 0.0, 1.0, 0.14, 0.06, 0.9);
    cairo_pattern_add_color_stop_rgba(glow, 0.4, 1.0, 0.10, 0.05, 0.4);
    cairo_pattern_add_color_stop_rgba(glow, 1.0, 1.0, 0.08, 0.04, 0.0);
    cairo_set_source(cr, glow);
    fillCircle(cr, kCentre);
    cairo_pattern_destroy(glow);
}

// A polished ring: its outer slope faces the light above, the inner one below.
void drawBezel(cairo_t* cr)
{
    cairo_pattern_t* outer =
        cairo_pattern_create_linear(0.0, kCentre - kBezel, 0.0, kCentre + kBezel);
    addStop(outer, 0.0, Colour{0.98, 0.99, 1.0});
    addStop(outer, 0.45, Colour{0.72, 0.75, 0.80});
    addStop(outer, 0.55, Colour{0.52, 0.55, 0.60});
    addStop(outer, 1.0, Colour{0.26, 0.28, 0.32});
    cairo_set_source(cr, outer);
    fillCircle(cr, kBezel);
    cairo_pattern_destroy(outer);
    cairo_set_source_rgba(cr, 0.04, 0.05, 0.07, 0.6);
    cairo_set_line_width(cr, 0.6);
    cairo_arc(cr, kCentre, kCentre, kBezel - 0.3, 0.0, 2.0 * kPi);
    cairo_stroke(cr);

    cairo_pattern_t* inner =
        cairo_pattern_create_linear(0.0, kCentre - kSeat - 1.0, 0.0, kCentre + kSeat + 1.0);
    addStop(inner, 0.0, Colour{0.30, 0.32, 0.36});
    addStop(inner, 1.0, Colour{0.95, 0.96, 0.98});
    cairo_set_source(cr, inner);
    fillCircle(cr, kSeat + 1.0);
    cairo_pattern_destroy(inner);
    cairo_set_source_rgb(cr, 0.05, 0.05, 0.06);
    fillCircle(cr, kSeat);
}

void drawGlass(cairo_t* cr, bool lit)
{
    const Glass& glass = lit ? kLit : kUnlit;
    cairo_pattern_t* body =
        cairo_pattern_create_radial(kCentre - 0.8, kCentre - 0.8, 0.0, kCentre, kCentre, kGlass);
    addStop(body, 0.0, glass.centre);
    addStop(body, 0.45, glass.body);
    addStop(body, 1.0, glass.rim);
    cairo_set_source(cr, body);
    fillCircle(cr, kGlass);
    cairo_pattern_destroy(body);

    // Facets: a ring of light inside the rim, where the jewel's cut bends the
    // light back out; brighter when the lamp shines through it.
    cairo_set_line_width(cr, 1.0);
    cairo_set_source_rgba(cr, 1.0, lit ? 0.55 : 1.0, lit ? 0.45 : 1.0, lit ? 0.45 : 0.18);
    cairo_arc(cr, kCentre, kCentre, kGlass - 2.2, 0.15 * kPi, 0.85 * kPi);
    cairo_stroke(cr);

    // The window's reflection, the same in both states.
    cairo_save(cr);
    cairo_translate(cr, kCentre - 2.6, kCentre - 4.4);
    cairo_scale(cr, 1.0, 0.62);
    cairo_pattern_t* gleam = cairo_pattern_create_radial(0.0, 0.0, 0.0, 0.0, 0.0, 5.4);
    cairo_pattern_add_color_stop_rgba(gleam, 0.0, 1.0, 1.0, 1.0, 0.95);
    cairo_pattern_add_color_stop_rgba(gleam, 0.5, 1.0, 1.0, 1.0, 0.45);
    cairo_pattern_add_color_stop_rgba(gleam, 1.0, 1.0, 1.0, 1.0, 0.0);
    cairo_set_source(cr, gleam);
    cairo_arc(cr, 0.0, 0.0, 5.4, 0.0, 2.0 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(gleam);
    cairo_restore(cr);
}

void drawLamp(cairo_t* cr, bool lit)
{
    if (lit)
        drawGlow(cr);
    drawBezel(cr);
    drawGlass(cr, lit);
}

} // namespace

// Vector shapes only, which cr's scale makes sharp at any density.
void drawBypassLamp(cairo_t* cr, int /*scale*/)
{
    drawLamp(cr, true);
    cairo_translate(cr, 0.0, kSize);
    drawLamp(cr, false);
}

} // namespace Brumvale::Artwork
