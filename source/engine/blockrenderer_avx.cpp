// Built with AVX2 enabled; reached only when the processor reports AVX2.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "blockrenderer.h"

#include "simd/avxlanes.h"

#include "blockkernel.h"
#include "pairkernel.h"

namespace Brumvale {
namespace {
namespace simd {

// The two filters of a channel pair in one 256-bit register, [decimator of channels
// 0 and 1, interpolator of channels 0 and 1]: both take each step with a single
// instruction per operation. The interpolator lanes then also multiply their
// stuffed zeros, as the plain filter step does.
class AvxStereoFilters
{
public:
    AvxStereoFilters(const AntiAliasCoefficients& coefficients, ChannelStates& states,
                     int32_t first)
        : filter(coefficients)
    {
        for (int k = 0; k < ChannelStates::kFilterOrder; ++k)
            state[k] = Doubles4(_mm256_set_m128d(_mm_loadu_pd(states.interpolator(k) + first),
                                                 _mm_loadu_pd(states.decimator(k) + first)));
    }
    void store(ChannelStates& states, int32_t first) const
    {
        for (int k = 0; k < ChannelStates::kFilterOrder; ++k)
        {
            _mm_storeu_pd(states.decimator(k) + first, _mm256_castpd256_pd128(state[k].v));
            _mm_storeu_pd(states.interpolator(k) + first, _mm256_extractf128_pd(state[k].v, 1));
        }
    }

    // Results are floats in lanes 0 and 1.
    Floats4 interpolate(Doubles2 v) { return highHalf(stepOnly<kInterpolatorLanes>(v)); }
    Floats4 interpolateSilent() { return interpolate(Doubles2(0.0)); }
    Floats4 decimate(Doubles2 w) { return stepOnly<kDecimatorLanes>(w); }

    Floats4 stepBoth(Doubles2 w, Doubles2 v, Floats4& interpolated)
    {
        const Floats4 y = step(w, v);
        interpolated = highHalf(y);
        return y;
    }
    void stepBothSilent(Doubles2 w, Floats4& interpolated)
    {
        interpolated = highHalf(step(w, Doubles2(0.0)));
    }

private:
    static constexpr int kDecimatorLanes = 0x3;
    static constexpr int kInterpolatorLanes = 0xC;

    // Both filters; floats [decimator 0, 1, interpolator 0, 1].
    Floats4 step(Doubles2 decimatorInput, Doubles2 interpolatorInput)
    {
        const Doubles4 x(_mm256_set_m128d(interpolatorInput.v, decimatorInput.v));
        return Floats4(_mm256_cvtpd_ps(filter.step(state, x).v));
    }
    // One filter; the other's lanes keep their state.
    template <int kLanes> Floats4 stepOnly(Doubles2 input)
    {
        Doubles4 before[ChannelStates::kFilterOrder];
        for (int k = 0; k < ChannelStates::kFilterOrder; ++k)
            before[k] = state[k];
        const Floats4 y = step(input, input);
        for (int k = 0; k < ChannelStates::kFilterOrder; ++k)
            state[k] = Doubles4(_mm256_blend_pd(before[k].v, state[k].v, kLanes));
        return y;
    }
    AntiAliasFilter<Doubles4> filter;
    Doubles4 state[ChannelStates::kFilterOrder];
};

} // namespace simd
} // namespace

int32_t renderChannelsWide(const RenderSettings& settings, ChannelStates& states, int32_t first,
                           const float* const* inputs, float* const* outputs, int32_t numSamples)
{
    int32_t c = first;
    for (; c + 2 <= states.count(); c += 2)
        renderPair<simd::AvxStereoFilters, simd::Floats8>(settings, states, c, inputs, outputs,
                                                          numSamples);
    return c;
}

} // namespace Brumvale
