// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#pragma once

#include <cmath>

namespace Brumvale {

// 10^(dB/20) with the quotient rounded to float first and the power taken in
// double, then rounded: the same gain on every target.
inline float decibelsToGain(float db)
{
    const float exponent = db / 20.0f;
    return static_cast<float>(std::pow(10.0, double(exponent)));
}

} // namespace Brumvale
