// Rendering a block's channels in SIMD lanes, and the settings each block renders with.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "antialiasfilter.h"
#include "channelstates.h"
#include "fuzzshaper.h"

#include <cstdint>

namespace Brumvale {

// Everything the block renderer reads besides the channel memory.
struct RenderSettings
{
    float boostGain = 1.0f;
    float headroom = 3.0f;
    float outputScale = 3.0f; // headroom times the Volume gain
    OnePole outputTracker;
    ShaperSettings shaper;
    // Null with the HiFi switch off; otherwise the set for the shaper's rate.
    const AntiAliasCoefficients* antiAlias = nullptr;
    int32_t oversampling = 1;
};

// Renders channels [first, count) of a block: input gain, shaper (oversampled
// when antiAlias is set), low cut and Volume. Each channel depends only on its own
// memory, so channels are rendered in pairs side by side in SIMD lanes (an odd one
// alone); every lane does the plain float and double arithmetic of one channel,
// so results do not depend on how channels are grouped. Allocates nothing.
void renderChannels(const RenderSettings& settings, ChannelStates& states, int32_t first,
                    const float* const* inputs, float* const* outputs, int32_t numSamples);

// The AVX2 renderer, for processors that have it: renders the channel pairs from
// `first` on and returns the first channel it left for renderChannels.
bool wideRenderingAvailable();
int32_t renderChannelsWide(const RenderSettings& settings, ChannelStates& states, int32_t first,
                           const float* const* inputs, float* const* outputs, int32_t numSamples);

} // namespace Brumvale
