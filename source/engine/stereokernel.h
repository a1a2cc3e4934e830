// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#pragma once

// The oversampled path for a pair of channels, arranged for instruction-level
// parallelism. Included by the renderer translation units only (unnamed
// namespace, like blockkernel.h).
//
// What bounds the plain loop is latency: each sub-sample runs a chain of filter,
// shaper and filter steps, and the next can start only as far as the processor's
// reordering window reaches. Here the decimator of frame i - 2 runs beside the
// interpolator of frame i, whose sub-samples are shaped two to a register.
// Every filter, smoother and curve still sees exactly the sequence of values of
// the plain loop, so the samples are the same to the bit.

#include "blockrenderer.h"
#include "simd/sse2lanes.h"

namespace Brumvale {
namespace {
namespace simd {

inline Floats4 highHalf(Floats4 x) { return Floats4(_mm_movehl_ps(x.v, x.v)); }
inline Floats4 lowHalves(Floats4 low, Floats4 high) { return Floats4(_mm_movelh_ps(low.v, high.v)); }
inline Doubles2 lowToDoubles(Floats4 x) { return Doubles2(_mm_cvtps_pd(x.v)); }

// The two filters of a channel pair as separate SSE2 registers: the interpolator's
// stuffed zeros take the short step.
class Sse2StereoFilters
{
public:
    Sse2StereoFilters(const AntiAliasCoefficients& coefficients, ChannelStates& states,
                      int32_t first)
        : filter(coefficients)
    {
        for (int k = 0; k < ChannelStates::kFilterOrder; ++k)
        {
            interpolator[k] = Doubles2(_mm_loadu_pd(states.interpolator(k) + first));
            decimator[k] = Doubles2(_mm_loadu_pd(states.decimator(k) + first));
        }
    }
    void store(ChannelStates& states, int32_t first) const
    {
        for (int k = 0; k < ChannelStates::kFilterOrder; ++k)
        {
            _mm_storeu_pd(states.interpolator(k) + first, interpolator[k].v);
            _mm_storeu_pd(states.decimator(k) + first, decimator[k].v);
        }
    }

    // Results are floats in lanes 0 and 1.
    Floats4 interpolate(Doubles2 v) { return toFloats(filter.step(interpolator, v)); }
    Floats4 interpolateSilent() { return toFloats(filter.stepSilent(interpolator)); }
    Floats4 decimate(Doubles2 w) { return toFloats(filter.step(decimator, w)); }

    // Decimator and interpolator steps side by side.
    Floats4 stepBoth(Doubles2 w, Doubles2 v, Floats4& interpolated)
    {
        interpolated = interpolate(v);
        return decimate(w);
    }
    void stepBothSilent(Doubles2 w, Floats4& interpolated)
    {
        interpolated = interpolateSilent();
        filter.step(decimator, w);
    }

private:
    static Floats4 toFloats(Doubles2 x) { return Floats4(_mm_cvtpd_ps(x.v)); }

    AntiAliasFilter<Doubles2> filter;
    Doubles2 interpolator[ChannelStates::kFilterOrder];
    Doubles2 decimator[ChannelStates::kFilterOrder];
};

// The shaper on two consecutive sub-samples of a pair of channels, packed as
// [j of channel 0, j of channel 1, j + 1 of channel 0, j + 1 of channel 1]. The
// three smoothers are stepped twice in order (their state lives in lanes 0 and 1);
// everything else works on all four lanes at once.
inline Floats4 shapeTwoSubSamples(Floats4 w, ShaperState<Floats4>& state,
                                  const ShaperLanes<Floats4>& s)
{
    const Floats4 inputDrive = s.inputGain * w;
    const Floats4 input0 = inputDrive + s.inputPole * state.inputTracker;
    const Floats4 input1 = highHalf(inputDrive) + s.inputPole * input0;
    state.inputTracker = input1;

    const Floats4 envelopeDrive = s.envelopeGain * absolute(w);
    const Floats4 envelope0 = envelopeDrive + s.envelopePole * state.envelope;
    const Floats4 envelope1 = highHalf(envelopeDrive) + s.envelopePole * envelope0;
    state.envelope = envelope1;

    const Floats4 envelope = lowHalves(envelope0, envelope1);
    const Floats4 q = envelope / (envelope + s.biasKnee);
    const Floats4 u = (w - lowHalves(input0, input1)) + q * q * envelope;
    const Floats4 y = softClip(u, s);

    const Floats4 rectifierDrive = s.rectifierGain * y;
    const Floats4 rectifier0 = s.rectifierPole * state.rectifierTracker + rectifierDrive;
    const Floats4 rectifier1 = s.rectifierPole * rectifier0 + highHalf(rectifierDrive);
    state.rectifierTracker = rectifier1;

    return softRectify(absolute(y - lowHalves(rectifier0, rectifier1)), s);
}

// Channels first and first + 1 with the HiFi switch on and a factor of 2, 4 or 8.
template <class Filters>
void renderPairOversampled(const RenderSettings& settings, ChannelStates& states, int32_t first,
                           const float* const* inputs, float* const* outputs, int32_t numSamples)
{
    using Lanes = Sse2PairLanes;
    constexpr int kMaxPairs = 4; // sub-sample pairs per frame at factor 8
    const int pairs = settings.oversampling / 2;

    Filters filters(*settings.antiAlias, states, first);
    const ShaperLanes<Floats4> shaper(settings.shaper);
    const Floats4 tiny(kTiny), boostGain(settings.boostGain), headroom(settings.headroom);
    const Floats4 outputScale(settings.outputScale);
    const Floats4 outputGain(settings.outputTracker.gain), outputPole(settings.outputTracker.pole);
    const Floats4 factor(static_cast<float>(settings.oversampling));
    ShaperState<Floats4> shape{Lanes::loadFloats(states.inputTracker() + first),
                               Lanes::loadFloats(states.envelope() + first),
                               Lanes::loadFloats(states.rectifierTracker() + first)};
    Floats4 outputTracker = Lanes::loadFloats(states.outputTracker() + first);

    const auto inputStage = [&](int32_t i)
    {
        const Floats4 x = Lanes::gather(inputs, first, i);
        return lowToDoubles(select(absolute(x) >= tiny, x * boostGain / headroom, tiny));
    };
    const auto outputStage = [&](int32_t i, Floats4 z)
    {
        outputTracker = outputGain * z + outputPole * outputTracker;
        Lanes::scatter(outputs, first, i, (outputTracker - z) * outputScale);
    };

    // Shaped sub-samples wait kLag frames for the decimator, longer than the
    // shaper's latency, so the filter chain never waits for them; the two frames
    // in flight alternate between the rows.
    constexpr int32_t kLag = 2;
    Floats4 shaped[kLag][kMaxPairs];
    const auto interpolateFrame = [&](int32_t i)
    {
        const Doubles2 v = inputStage(i);
        for (int k = 0; k < pairs; ++k)
        {
            const Floats4 even = k == 0 ? filters.interpolate(v) : filters.interpolateSilent();
            const Floats4 odd = filters.interpolateSilent();
            shaped[i % kLag][k] = shapeTwoSubSamples(factor * lowHalves(even, odd), shape, shaper);
        }
    };
    const auto decimateFrame = [&](int32_t i)
    {
        const Floats4* frame = shaped[i % kLag];
        const Floats4 z = filters.decimate(lowToDoubles(frame[0]));
        filters.decimate(lowToDoubles(highHalf(frame[0])));
        for (int k = 1; k < pairs; ++k)
        {
            filters.decimate(lowToDoubles(frame[k]));
            filters.decimate(lowToDoubles(highHalf(frame[k])));
        }
        outputStage(i, z);
    };

    const int32_t lead = numSamples < kLag ? numSamples : kLag;
    for (int32_t i = 0; i < lead; ++i)
        interpolateFrame(i);
    for (int32_t i = kLag; i < numSamples; ++i)
    {
        // Decimator for frame i - kLag and interpolator for frame i, side by side;
        // each pair of sub-samples is shaped as soon as it is interpolated, into
        // the row just emptied.
        Floats4* frame = shaped[i % kLag];
        const Doubles2 v = inputStage(i);
        Floats4 even, odd;
        const Floats4 z = filters.stepBoth(lowToDoubles(frame[0]), v, even);
        filters.stepBothSilent(lowToDoubles(highHalf(frame[0])), odd);
        frame[0] = shapeTwoSubSamples(factor * lowHalves(even, odd), shape, shaper);
        for (int k = 1; k < pairs; ++k)
        {
            filters.stepBothSilent(lowToDoubles(frame[k]), even);
            filters.stepBothSilent(lowToDoubles(highHalf(frame[k])), odd);
            frame[k] = shapeTwoSubSamples(factor * lowHalves(even, odd), shape, shaper);
        }
        outputStage(i - kLag, z);
    }
    for (int32_t i = numSamples - lead; i < numSamples; ++i)
        decimateFrame(i);

    filters.store(states, first);
    Lanes::storeFloats(states.inputTracker() + first, shape.inputTracker);
    Lanes::storeFloats(states.envelope() + first, shape.envelope);
    Lanes::storeFloats(states.rectifierTracker() + first, shape.rectifierTracker);
    Lanes::storeFloats(states.outputTracker() + first, outputTracker);
}

} // namespace simd

using simd::renderPairOversampled;
using simd::Sse2StereoFilters;

} // namespace
} // namespace Brumvale
