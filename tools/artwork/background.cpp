// The panel: brushed steel-blue face with captions, word-mark and maker's signature.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas.h"
#include "emblem.h"
#include "images.h"
#include "metal.h"
#include "screw.h"

#include <cmath>

namespace Brumvale::Artwork {
namespace {

constexpr double kWidth = 180.0;
constexpr double kHeight = 240.0;
const Colour kTop = rgb8(124, 174, 212);
const Colour kBottom = rgb8(16, 35, 50);
const Colour kCaption{0.96, 0.98, 1.0};

struct Knob
{
    double x;
    double y;
    const char* caption;
};
const Knob kKnobs[] = {{50.0, 40.0, "VOLUME"}, {130.0, 40.0, "BOOST"}};
// The centre of the bypass lamp's image.
constexpr double kLampX = 90.0;
constexpr double kLampY = 135.0;

void paintFace(cairo_t* cr, int scale)
{
    cairo_pattern_t* face = cairo_pattern_create_linear(0.0, 0.0, 0.0, kHeight);
    addStop(face, 0.0, kTop);
    addStop(face, 1.0, kBottom);
    cairo_set_source(cr, face);
    cairo_paint(cr);
    cairo_pattern_destroy(face);
    brushSurface(cairo_get_target(cr), 0.011, 0xb1a5e5u, scale);
}

// A soft shadow a little below where a round control sits, so that the
// control's image seems to stand on the panel.
void dropShadow(cairo_t* cr, double x, double y, double inner, double outer, double alpha)
{
    cairo_pattern_t* shadow = cairo_pattern_create_radial(x, y, inner, x, y, outer);
    cairo_pattern_add_color_stop_rgba(shadow, 0.0, 0.0, 0.0, 0.0, alpha);
    cairo_pattern_add_color_stop_rgba(shadow, 1.0, 0.0, 0.0, 0.0, 0.0);
    cairo_set_source(cr, shadow);
    cairo_arc(cr, x, y, outer, 0.0, 2.0 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(shadow);
}

// Ten dots from the knob's lowest setting to its highest, growing as the
// setting does. None sits straight above the centre, where the value is shown.
void drawScale(cairo_t* cr, double x, double y)
{
    const int dots = 10;
    const double radius = 22.5;
    for (int i = 0; i < dots; ++i)
    {
        const double angle = (-135.0 + 270.0 * i / (dots - 1)) * kPi / 180.0;
        const double size = 0.75 + 0.55 * i / (dots - 1);
        const double dotX = x + radius * std::sin(angle);
        const double dotY = y - radius * std::cos(angle);
        cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, 0.35);
        cairo_arc(cr, dotX, dotY + 0.7, size, 0.0, 2.0 * kPi);
        cairo_fill(cr);
        setColour(cr, kCaption);
        cairo_arc(cr, dotX, dotY, size, 0.0, 2.0 * kPi);
        cairo_fill(cr);
    }
}

} // namespace

void drawBackground(cairo_t* cr, int scale)
{
    paintFace(cr, scale);
    setFont(cr, Face::SansBold, 8.5);
    for (const Knob& knob : kKnobs)
    {
        dropShadow(cr, knob.x, knob.y + 2.0, 16.0, 23.0, 0.5);
        drawScale(cr, knob.x, knob.y);
        engravedText(cr, knob.caption, knob.x, 72.0, kCaption, 0.9);
    }

    drawWordMark(cr, kWidth / 2.0, 100.0, 27.0);

    dropShadow(cr, kLampX, kLampY + 1.5, 11.0, 17.0, 0.55);
    setFont(cr, Face::SansBold, 8.0);
    engravedText(cr, "ON / OFF", kLampX, 159.0, kCaption, 0.6);

    drawMakerSignature(cr, kWidth / 2.0, 183.5, 15.0);

    const double inset = 8.5;
    drawScrew(cr, inset, inset, 20.0);
    drawScrew(cr, kWidth - inset, inset, -35.0);
    drawScrew(cr, inset, kHeight - inset, 65.0);
    drawScrew(cr, kWidth - inset, kHeight - inset, 5.0);
}

} // namespace Brumvale::Artwork
