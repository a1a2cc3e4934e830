// The octave-fuzz engine: the plug-in's whole sound, shared by the VST 3 and LV2 plug-ins.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bypassfade.h"
#include "channelstates.h"
#include "fuzzshaper.h"
#include "fuzztuning.h"
#include "silenceshortcut.h"

#include <cstdint>

namespace Brumvale {

// The whole sound of the plug-in: Boost, the octave-fuzz shaper (at the host rate
// or oversampled between elliptic filters with the HiFi switch), a low cut, Volume
// and the bypass fade, for any number of channels.
//
// A plain object without locks: its operations must not overlap. processBlock
// allocates nothing, locks nothing and calls no system function; memory changes
// only in setChannelCount. Output is bit for bit the same on every target and at
// every optimisation level (single precision rounded at each step, double in the
// filters, no fused or reordered arithmetic) and whatever floating-point mode the
// calling thread runs in: every operation that computes sets the IEEE default mode
// for its own time and restores the caller's (IeeeArithmeticScope).
class OctaveFuzzEngine
{
public:
    // Which instructions processBlock may use: the widest the processor has, or
    // the SSE2 baseline every supported target has. The samples are the same.
    enum class Instructions
    {
        kWidest,
        kBaseline,
    };

    // Starts as 44.1 kHz, no channels, unity gains, switches off, not bypassed.
    explicit OctaveFuzzEngine(Instructions instructions = Instructions::kWidest);

    // Discards all channel memory and allocates fresh memory for the count; if
    // that fails the engine has no channels.
    void setChannelCount(int32_t channels);
    // Takes the rate truncated to whole hertz and cancels a running bypass fade.
    // setAntiAlias must follow to design the filters and smoothers for it.
    void setSampleRate(double sampleRate);
    // Levels beyond +-200 dB are taken at the limit, so every gain stays finite.
    void setBoostDb(float db);
    void setVolumeDb(float db);
    // Starts a fade; the state changes at its lowest point.
    void setBypass(bool on);
    void setAntiAlias(bool on);
    void setWarmth(bool on);
    // Restarts the channel memory; settings and the fade are kept.
    void reset();

    // Renders channelCount() buffers of numSamples samples; inputs may be the
    // outputs (in place). A channel whose memory the block drove to infinity or
    // not-a-number (input far beyond any audio level, or not a number itself) is
    // silenced for that block and restarts from rest, so no input can break it for
    // good; checked once per block, not per sample. Long digital silence costs
    // little once the channels come to rest (SilenceShortcut), with the same output.
    void processBlock(const float* const* inputs, float* const* outputs, int32_t numSamples);

    int32_t channelCount() const { return states.count(); }
    int32_t oversampling() const { return factor; }
    bool bypassed() const { return fade.bypassed(); }

private:
    void restartBrokenChannels(float* const* outputs, int32_t numSamples);

    FuzzTuning tuning; // fixed at construction
    int32_t rate = 44100;
    int32_t factor = 1;
    bool antiAlias = false;
    float boostGain = 1.0f;
    float volumeGain = 1.0f;
    ShaperSettings shaper;
    OnePole outputTracker;
    ChannelStates states;
    SilenceShortcut silence;
    BypassFade fade;
    bool wide;
};

} // namespace Brumvale
