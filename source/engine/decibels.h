// Decibels to gain, rounded the same way on every target.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "portablepow.h"

namespace Brumvale {

// 10^(dB/20) with the quotient rounded to float first and the power taken in
// double, then rounded.
inline float decibelsToGain(float db)
{
    const float exponent = db / 20.0f;
    return static_cast<float>(portablePow(10.0, double(exponent)));
}

} // namespace Brumvale
