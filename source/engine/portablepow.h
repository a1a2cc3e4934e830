// A power function that gives the same bits on every target.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Brumvale {

// base^exponent for base > 0, from additions, multiplications and divisions
// only, so every target computes the same bits. Gains, smoother poles and the
// fade are designed with it: the C libraries of different targets round their
// pow differently in the last bit, which could change a float gain and with it
// every sample. Relative error below 1e-15 times (1 + |exponent ln base|).
double portablePow(double base, double exponent);

} // namespace Brumvale
