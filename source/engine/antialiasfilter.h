// The anti-alias filter around the oversampled shaper: a ninth-order elliptic low-pass.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace Brumvale {

// Coefficients of the ninth-order elliptic low-pass that both interpolates and
// decimates the oversampled shaper: 0.2 dB ripple to 18 kHz, 80 dB down from
// about 22 kHz. a[0] is 1 and unused by the step.
struct AntiAliasCoefficients
{
    double b[10];
    double a[10];

    // The set for the oversampled rate: the elliptic design at 352.8 kHz or
    // 384 kHz, or a pass-through set for any other rate.
    static const AntiAliasCoefficients& forRate(int32_t shaperRate);
};

// Transposed direct form II over lanes of doubles (a plain double, or one SIMD
// register holding several channels). The state s[0..9] is per lane; s[9] is read
// by the last update and never written. Works in place on the caller's state.
template <class Doubles> class AntiAliasFilter
{
public:
    explicit AntiAliasFilter(const AntiAliasCoefficients& coefficients)
    {
        for (int k = 0; k < 10; ++k)
        {
            b[k] = Doubles(coefficients.b[k]);
            a[k] = Doubles(coefficients.a[k]);
        }
    }

    Doubles step(Doubles (&s)[10], Doubles x) const
    {
        const Doubles y = b[0] * x + s[0];
#pragma GCC unroll 9
        for (int k = 1; k < 10; ++k)
            s[k - 1] = s[k] - a[k] * y + b[k] * x;
        return y;
    }

    // The step for an input of exactly +0.0 (the stuffed zeros of the
    // interpolator). Dropping the b terms is exact: no state value is ever -0.0
    // (s[9] is +0 or positive and the updates cannot create -0 from it), and adding
    // a signed zero leaves any other value unchanged.
    Doubles stepSilent(Doubles (&s)[10]) const
    {
        const Doubles y = s[0];
#pragma GCC unroll 9
        for (int k = 1; k < 10; ++k)
            s[k - 1] = s[k] - a[k] * y;
        return y;
    }

private:
    Doubles b[10];
    Doubles a[10];
};

} // namespace Brumvale
