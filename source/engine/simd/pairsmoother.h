// The rectifier's smoother stepped through consecutive samples of a channel pair,
// for the four-float lane packs of every target.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Brumvale {
namespace {
namespace simd {

// A one-pole smoother stepped through two consecutive samples of a channel pair
// ([sample j of channels 0 and 1, sample j + 1 of channels 0 and 1]) in order:
// state = pole * state + gain * x. Returns the two new states in x's layout; the
// last one stays in lanes 0 and 1 of the state.
template <class Floats4>
Floats4 trackRectifier(Floats4 x, Floats4& state, Floats4 pole, Floats4 gain)
{
    const Floats4 drive = gain * x;
    const Floats4 first = pole * state + drive;
    state = pole * first + highHalf(drive);
    return lowHalves(first, state);
}

} // namespace simd
} // namespace
} // namespace Brumvale
