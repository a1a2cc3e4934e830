// The one-pole smoother behind the engine's envelopes and low cuts, and its design.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "portablepow.h"

namespace Brumvale {

// One-pole smoother: value = gain * input + pole * value. The pole makes the
// memory fall to -60 dB in the decay time; the gain is (1 - pole) * pi / 3, so the
// smoother's gain at 0 Hz is pi/3, not 1, and a low cut formed as "signal minus
// smoother" leaves about 4.7 % of a constant part.
struct OnePole
{
    float pole = 0.0f;
    float gain = 0.0f;

    // Intermediate steps in double, each marked result rounded to float, so every
    // target designs the same coefficients.
    static OnePole design(float decayMs, float rateHz)
    {
        constexpr double kMinus60Db = 0.001;
        constexpr float kPi = 3.14159265358979323846f;
        const float exponent = static_cast<float>(1.0 / (double(decayMs) * rateHz * 0.001));
        OnePole smoother;
        smoother.pole = static_cast<float>(portablePow(kMinus60Db, double(exponent)));
        smoother.gain = static_cast<float>((1.0 - smoother.pole) * double(kPi) / 3.0);
        return smoother;
    }
};

} // namespace Brumvale
