// The silence shortcut's memory, its test for a silent block and its copy of the first sample.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "silenceshortcut.h"

#include "fuzztuning.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace Brumvale {

bool SilenceShortcut::resize(int32_t channels)
{
    laterInputs.reset();
    laterOutputs.reset();
    if (!snapshot.resize(channels))
        return false;
    const size_t count = size_t(std::max(channels, 0));
    laterInputs.reset(new (std::nothrow) const float*[count]);
    laterOutputs.reset(new (std::nothrow) float*[count]);
    if (laterInputs && laterOutputs)
        return true;
    snapshot.resize(0);
    return false;
}

bool SilenceShortcut::silent(const float* const* inputs, int32_t channels, int32_t numSamples)
{
    // The renderer's own test: a sample is live only when its magnitude reaches the
    // guard value.
    for (int32_t c = 0; c < channels; ++c)
        for (int32_t i = 0; i < numSamples; ++i)
            if (std::fabs(inputs[c][i]) >= kTiny)
                return false;
    return true;
}

void SilenceShortcut::repeatFirstSample(float* const* outputs, int32_t channels, int32_t numSamples)
{
    for (int32_t c = 0; c < channels; ++c)
        std::fill(outputs[c] + 1, outputs[c] + numSamples, outputs[c][0]);
}

} // namespace Brumvale
