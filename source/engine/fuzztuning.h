// The shaper's fixed tuning (levels, knees, smoother decay times) and the guard value.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Brumvale {

// Guard value for near-silent samples and the smoothers' starting value: keeps
// silence from driving the float recurrences into denormal numbers.
constexpr float kTiny = 1e-15f;

// The shaper's fixed tuning: levels, clipper and rectifier knees, and the decay
// times of the four one-pole smoothers in milliseconds.
struct FuzzTuning
{
    float headroom;
    float biasKnee;
    float clipHigh;
    float clipLow;
    float rectifierKneeNormal;
    float rectifierKneeWarm;
    float clipSharpnessNormal;
    float clipSharpnessWarm;
    float inputLowCutMs;
    float envelopeMs;
    float rectifierLowCutMs;
    float outputLowCutMs;
};

inline FuzzTuning makeFuzzTuning()
{
    FuzzTuning tuning{};
    tuning.headroom = 3.0f;
    tuning.biasKnee = 0.7f;
    tuning.clipHigh = 0.666f;
    tuning.clipLow = -1.0f;
    tuning.rectifierKneeNormal = 0.666f / 7.0f; // single precision: 0.095142856
    tuning.rectifierKneeWarm = 0.333f;
    tuning.clipSharpnessNormal = 8.0f;
    tuning.clipSharpnessWarm = 1.0f;
    tuning.inputLowCutMs = 40.0f;
    tuning.envelopeMs = 450.0f;
    tuning.rectifierLowCutMs = 80.0f;
    tuning.outputLowCutMs = 200.0f;
    return tuning;
}

} // namespace Brumvale
