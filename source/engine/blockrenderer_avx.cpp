// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
// Built with AVX enabled; reached only when the processor reports AVX.
#include "blockrenderer.h"

#include "simd/avxlanes.h"

#include "blockkernel.h"

namespace Brumvale {

int32_t renderChannelsWide(const RenderSettings& settings, ChannelStates& states, int32_t first,
                           const float* const* inputs, float* const* outputs, int32_t numSamples)
{
    const int32_t count = states.count();
    int32_t c = first;
    for (; c + AvxQuadLanes::kWidth <= count; c += AvxQuadLanes::kWidth)
        renderGroup<AvxQuadLanes>(settings, states, c, inputs, outputs, numSamples);
    return c;
}

} // namespace Brumvale
