// The bypass dip's design for a sample rate, and its fall, hold and rise over each block.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bypassfade.h"

#include "decibels.h"
#include "fuzztuning.h"

#include "portablepow.h"

#include <cmath>

namespace Brumvale {

void BypassFade::setSampleRate(int32_t sampleRate)
{
    constexpr float kFloorDb = -40.0f;
    constexpr double kFadeMs = 10.0;
    fadeFloor = decibelsToGain(kFloorDb);
    fadeCoefficient =
        static_cast<float>(portablePow(double(fadeFloor), 1.0 / (sampleRate * kFadeMs * 0.001)));
    fadeActive = false;
    fadeGain = 1.0f;
    fadeRising = false;
}

void BypassFade::request(bool on)
{
    pendingBypass = on;
    fadeActive = true;
}

void BypassFade::apply(float* const* outputs, int32_t channelCount, int32_t numSamples)
{
    if (!fadeActive)
        return;
    const float k = fadeCoefficient;
    const float top = 1.0f - fadeFloor;
    for (int32_t i = 0; i < numSamples; ++i)
    {
        if (fadeRising)
        {
            fadeGain = fadeGain * k + (1.0f - k);
            if (fadeGain >= top)
                fadeGain = 1.0f;
        }
        else
        {
            fadeGain = fadeGain * k;
            if (fadeGain <= fadeFloor)
                fadeGain = fadeFloor;
        }
        for (int32_t c = 0; c < channelCount; ++c)
        {
            const float s = outputs[c][i];
            outputs[c][i] = std::fabs(s) >= kTiny ? s * fadeGain : kTiny;
        }
    }

    if (fadeRising)
    {
        if (fadeGain >= top)
        {
            fadeRising = false;
            // A request that came during the rise starts a new fall at once, so the
            // state in effect always ends up as the last one requested.
            fadeActive = pendingBypass != bypassedNow;
        }
    }
    else if (fadeGain <= fadeFloor)
    {
        fadeRising = true;
        bypassedNow = pendingBypass;
    }
}

} // namespace Brumvale
