// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#include "blockrenderer.h"

#include "simd/scalarlanes.h"
#include "simd/sse2lanes.h"

#include "blockkernel.h"
#include "pairkernel.h"

namespace Brumvale {

void renderChannels(const RenderSettings& settings, ChannelStates& states, int32_t first,
                    const float* const* inputs, float* const* outputs, int32_t numSamples)
{
    const int32_t count = states.count();
    int32_t c = first;
    for (; c + Sse2PairLanes::kWidth <= count; c += Sse2PairLanes::kWidth)
        renderPair<Sse2StereoFilters, Floats4>(settings, states, c, inputs, outputs, numSamples);
    for (; c < count; ++c)
        renderGroup<ScalarLanes>(settings, states, c, inputs, outputs, numSamples);
}

bool wideRenderingAvailable() { return __builtin_cpu_supports("avx2"); }

} // namespace Brumvale
