// Procedural metal finishes: brushed grain for the panel, spun metal for the knob.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "canvas.h"

#include <cstdint>

namespace Brumvale::Artwork {

// A small xorshift generator seeded by the caller, so that the grain is the
// same on every run and every machine.
class Grain
{
public:
    explicit Grain(std::uint32_t seed) : state(seed ? seed : 1u) {}
    double next(); // uniform in [-1, 1)

private:
    std::uint32_t state;
};

// Streaks the surface like brushed aluminium: each row of pixels lightens or
// darkens by up to strength (a fraction of full scale), varying slowly along
// its length. The surface has scale pixels per unit; the streaks keep their
// length in units, so a denser image gets finer rows of the same grain.
// Transparent parts stay transparent.
void brushSurface(cairo_surface_t* surface, double strength, std::uint32_t seed, int scale);

// A size x size unit image of a spun metal face centred in it, scale pixels per
// unit: fine concentric rings and the two bright wedges that light from the top
// left draws on them. The rings lie at the same radii in units at every scale.
Surface spunMetal(int size, const Colour& base, int scale);

} // namespace Brumvale::Artwork
