// The baseline renderer: channel pairs in 128-bit lanes, an odd channel alone, and the AVX2 check.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "blockrenderer.h"

#include "simd/baselinelanes.h"
#include "simd/scalarlanes.h"

#include "blockkernel.h"
#include "pairkernel.h"

namespace Brumvale {

void renderChannels(const RenderSettings& settings, ChannelStates& states, int32_t first,
                    const float* const* inputs, float* const* outputs, int32_t numSamples)
{
    const int32_t count = states.count();
    int32_t c = first;
    for (; c + PairLanes::kWidth <= count; c += PairLanes::kWidth)
        renderPair<PairFilters, Floats4>(settings, states, c, inputs, outputs, numSamples);
    for (; c < count; ++c)
        renderGroup<ScalarLanes>(settings, states, c, inputs, outputs, numSamples);
}

#if defined(__SSE2__)
bool wideRenderingAvailable() { return __builtin_cpu_supports("avx2"); }
#else
// NEON's 128 bits are the widest registers every 64-bit ARM processor has.
bool wideRenderingAvailable() { return false; }
int32_t renderChannelsWide(const RenderSettings&, ChannelStates&, int32_t first,
                           const float* const*, float* const*, int32_t)
{
    return first;
}
#endif

} // namespace Brumvale
