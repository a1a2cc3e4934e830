// The bypass switch and the 40 dB dip that hides its click.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace Brumvale {

// The bypass switch with its dip: on every request the output falls by 40 dB in
// 10 ms, holds at the floor to the end of the block, switches at the block
// boundary and rises again. Runs over the finished output of each block; all
// arithmetic in float, no allocation.
class BypassFade
{
public:
    // Redesigns the fade for the rate and cancels a running one: a request whose
    // switch has not happened yet is dropped.
    void setSampleRate(int32_t sampleRate);
    // Requests a bypass state; it takes effect at the end of the fall.
    void request(bool on);
    bool bypassed() const { return bypassedNow; }

    void apply(float* const* outputs, int32_t channelCount, int32_t numSamples);

private:
    bool bypassedNow = false;
    bool pendingBypass = false;
    bool fadeActive = false;
    bool fadeRising = false;
    float fadeGain = 1.0f;
    float fadeFloor = 0.01f;
    float fadeCoefficient = 0.0f;
};

} // namespace Brumvale
