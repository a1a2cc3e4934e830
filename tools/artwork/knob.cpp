// The knob: a silver cap on a toothed skirt, drawn at each of its 80 settings.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas.h"
#include "images.h"
#include "metal.h"

#include <cmath>

namespace Brumvale::Artwork {
namespace {

constexpr int kFrames = 80;
constexpr double kSize = 40.0;
constexpr double kCentre = kSize / 2.0;
constexpr int kTeeth = 30;
constexpr double kToothTip = 19.3;
constexpr double kToothRoot = 17.9;
constexpr double kCapEdge = 15.4;
constexpr double kCapFace = 14.0;

// The skirt's teeth turn with the pointer; their shading, like all the light
// on the knob, stays put.
void drawSkirt(cairo_t* cr, double turn)
{
    const double pitch = 2.0 * kPi / kTeeth;
    for (int tooth = 0; tooth < kTeeth; ++tooth)
    {
        // Flat-topped teeth with sloping flanks: root, tip, tip, root.
        const double start = turn + tooth * pitch;
        const double corners[][2] = {
            {0.00, kToothRoot}, {0.18, kToothTip}, {0.52, kToothTip}, {0.70, kToothRoot}};
        for (const auto& corner : corners)
        {
            const double angle = start + corner[0] * pitch;
            cairo_line_to(cr, kCentre + corner[1] * std::sin(angle),
                          kCentre - corner[1] * std::cos(angle));
        }
        cairo_arc(cr, kCentre, kCentre, kToothRoot, start + 0.70 * pitch - kPi / 2.0,
                  start + pitch - kPi / 2.0);
    }
    cairo_close_path(cr);
    cairo_pattern_t* shade = cairo_pattern_create_linear(6.0, 4.0, 32.0, 38.0);
    addStop(shade, 0.0, Colour{0.88, 0.89, 0.92});
    addStop(shade, 0.5, Colour{0.56, 0.58, 0.62});
    addStop(shade, 1.0, Colour{0.22, 0.23, 0.26});
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    cairo_set_source_rgba(cr, 0.05, 0.06, 0.08, 0.55);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
}

// The raised cap: a bevelled edge, bright above and dark below, around a
// spun-metal face with a soft highlight up and to the left.
void drawCap(cairo_t* cr, cairo_surface_t* spun)
{
    cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, 0.35);
    cairo_arc(cr, kCentre, kCentre + 0.9, kCapEdge + 0.4, 0.0, 2.0 * kPi);
    cairo_fill(cr);

    cairo_pattern_t* bevel =
        cairo_pattern_create_linear(0.0, kCentre - kCapEdge, 0.0, kCentre + kCapEdge);
    addStop(bevel, 0.0, Colour{1.0, 1.0, 1.0});
    addStop(bevel, 1.0, Colour{0.40, 0.41, 0.45});
    cairo_set_source(cr, bevel);
    cairo_arc(cr, kCentre, kCentre, kCapEdge, 0.0, 2.0 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(bevel);

    cairo_set_source_surface(cr, spun, 0.0, 0.0);
    cairo_arc(cr, kCentre, kCentre, kCapFace, 0.0, 2.0 * kPi);
    cairo_fill(cr);

    cairo_pattern_t* shine = cairo_pattern_create_radial(kCentre - 5.0, kCentre - 6.0, 0.0,
                                                         kCentre - 5.0, kCentre - 6.0, 10.0);
    cairo_pattern_add_color_stop_rgba(shine, 0.0, 1.0, 1.0, 1.0, 0.45);
    cairo_pattern_add_color_stop_rgba(shine, 1.0, 1.0, 1.0, 1.0, 0.0);
    cairo_set_source(cr, shine);
    cairo_arc(cr, kCentre, kCentre, kCapFace, 0.0, 2.0 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(shine);
}

// An engraved line from near the centre to near the edge of the face: dark
// in the groove, with its lower lip catching the light.
void drawPointer(cairo_t* cr, double turn)
{
    const double dx = std::sin(turn);
    const double dy = -std::cos(turn);
    const double inner = 4.0;
    const double outer = kCapFace - 1.6;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 2.2);
    cairo_set_source_rgba(cr, 1.0, 1.0, 1.0, 0.5);
    cairo_move_to(cr, kCentre + inner * dx, kCentre + inner * dy + 0.7);
    cairo_line_to(cr, kCentre + outer * dx, kCentre + outer * dy + 0.7);
    cairo_stroke(cr);
    cairo_set_source_rgb(cr, 0.09, 0.10, 0.12);
    cairo_move_to(cr, kCentre + inner * dx, kCentre + inner * dy);
    cairo_line_to(cr, kCentre + outer * dx, kCentre + outer * dy);
    cairo_stroke(cr);
}

} // namespace

void drawKnob(cairo_t* cr, int scale)
{
    const Surface spun = spunMetal(int(kSize), Colour{0.93, 0.95, 0.98}, scale);
    for (int frame = 0; frame < kFrames; ++frame)
    {
        const double degrees = -135.0 + frame * 270.0 / (kFrames - 1);
        const double turn = degrees * kPi / 180.0;
        cairo_save(cr);
        cairo_translate(cr, 0.0, frame * kSize);
        cairo_rectangle(cr, 0.0, 0.0, kSize, kSize);
        cairo_clip(cr);
        drawSkirt(cr, turn);
        drawCap(cr, spun.get());
        drawPointer(cr, turn);
        cairo_restore(cr);
    }
}

} // namespace Brumvale::Artwork
