// The silence shortcut: long digital silence rendered cheaply, with the same output bits.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "channelstates.h"

#include <cstdint>
#include <memory>

namespace Brumvale {

// Skips the work of long digital silence without changing a single output bit.
//
// A silent sample (magnitude below the guard value, not-a-number included) enters the
// shaper as the guard value itself, so in silence every sample is the same function
// of the channel memory. Once one such sample leaves every value of that memory bit
// for bit as it was, every later silent sample repeats it exactly: the rest of the
// block is a copy of its first sample. With HiFi off the memory comes to rest after a
// few seconds of silence; with HiFi on it may never, and then nothing is skipped.
//
// Costs a scan of the input and, in silence, one copy and comparison of the memory
// per block. Allocates only in resize.
class SilenceShortcut
{
public:
    // Room for the channels' memory copy and block pointers; false when the memory
    // cannot be had (the shortcut then never applies).
    bool resize(int32_t channels);

    // Renders the block through render(inputs, outputs, numSamples), or its first
    // sample only when that shows the memory at rest in silence.
    template <class Render>
    void process(ChannelStates& states, const float* const* inputs, float* const* outputs,
                 int32_t numSamples, Render&& render)
    {
        if (numSamples < 2 || !silent(inputs, states.count(), numSamples) ||
            !snapshot.copyFrom(states))
        {
            render(inputs, outputs, numSamples);
            return;
        }
        render(inputs, outputs, 1);
        if (states.sameAs(snapshot))
        {
            repeatFirstSample(outputs, states.count(), numSamples);
            return;
        }
        for (int32_t c = 0; c < states.count(); ++c)
        {
            laterInputs[size_t(c)] = inputs[c] + 1;
            laterOutputs[size_t(c)] = outputs[c] + 1;
        }
        render(laterInputs.get(), laterOutputs.get(), numSamples - 1);
    }

private:
    static bool silent(const float* const* inputs, int32_t channels, int32_t numSamples);
    static void repeatFirstSample(float* const* outputs, int32_t channels, int32_t numSamples);

    ChannelStates snapshot;
    std::unique_ptr<const float*[]> laterInputs;
    std::unique_ptr<float*[]> laterOutputs;
};

} // namespace Brumvale
