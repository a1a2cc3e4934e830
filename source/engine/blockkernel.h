// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#pragma once

// The per-sample work of the engine for one group of channels, generic over the
// lane pack. Included by the renderer translation units only; the unnamed
// namespace keeps each unit's instantiations (baseline or AVX) its own.

#include "blockrenderer.h"

namespace Brumvale {
namespace {

template <class Lanes, bool kOversampled>
void renderGroup(const RenderSettings& settings, ChannelStates& states, int32_t first,
                 const float* const* inputs, float* const* outputs, int32_t numSamples)
{
    using Floats = typename Lanes::Floats;
    using Doubles = typename Lanes::Doubles;

    const ShaperLanes<Floats> shaper(settings.shaper);
    const Floats tiny(kTiny);
    const Floats boostGain(settings.boostGain);
    const Floats headroom(settings.headroom);
    const Floats outputScale(settings.outputScale);
    const Floats outputGain(settings.outputTracker.gain);
    const Floats outputPole(settings.outputTracker.pole);

    ShaperState<Floats> shape{Lanes::loadFloats(states.inputTracker() + first),
                              Lanes::loadFloats(states.envelope() + first),
                              Lanes::loadFloats(states.rectifierTracker() + first)};
    Floats outputTracker = Lanes::loadFloats(states.outputTracker() + first);

    const auto inputStage = [&](int32_t i) {
        const Floats x = Lanes::gather(inputs, first, i);
        return select(absolute(x) >= tiny, x * boostGain / headroom, tiny);
    };
    // High-rate tracker minus the signal: takes out the low end and inverts.
    const auto outputStage = [&](int32_t i, Floats z) {
        outputTracker = outputGain * z + outputPole * outputTracker;
        Lanes::scatter(outputs, first, i, (outputTracker - z) * outputScale);
    };

    if constexpr (kOversampled)
    {
        const AntiAliasFilter<Doubles> filter(*settings.antiAlias);
        const int32_t factor = settings.oversampling;
        const Floats gain(static_cast<float>(factor));
        Doubles interpolator[ChannelStates::kFilterOrder];
        Doubles decimator[ChannelStates::kFilterOrder];
        for (int k = 0; k < ChannelStates::kFilterOrder; ++k)
        {
            interpolator[k] = Lanes::loadDoubles(states.interpolator(k) + first);
            decimator[k] = Lanes::loadDoubles(states.decimator(k) + first);
        }

        for (int32_t i = 0; i < numSamples; ++i)
        {
            // Zero stuffing: the input sample, then factor - 1 zeros, each lifted by
            // the factor; the decimator keeps the sub-sample in line with the input.
            const Doubles v = Lanes::toDoubles(inputStage(i));
            Floats w = gain * Lanes::toFloats(filter.step(interpolator, v));
            w = shapeSample(w, shape, shaper);
            const Floats z = Lanes::toFloats(filter.step(decimator, Lanes::toDoubles(w)));
            for (int32_t j = 1; j < factor; ++j)
            {
                w = gain * Lanes::toFloats(filter.stepSilent(interpolator));
                filter.step(decimator, Lanes::toDoubles(shapeSample(w, shape, shaper)));
            }
            outputStage(i, z);
        }

        for (int k = 0; k < ChannelStates::kFilterOrder; ++k)
        {
            Lanes::storeDoubles(states.interpolator(k) + first, interpolator[k]);
            Lanes::storeDoubles(states.decimator(k) + first, decimator[k]);
        }
    }
    else
    {
        for (int32_t i = 0; i < numSamples; ++i)
            outputStage(i, shapeSample(inputStage(i), shape, shaper));
    }

    Lanes::storeFloats(states.inputTracker() + first, shape.inputTracker);
    Lanes::storeFloats(states.envelope() + first, shape.envelope);
    Lanes::storeFloats(states.rectifierTracker() + first, shape.rectifierTracker);
    Lanes::storeFloats(states.outputTracker() + first, outputTracker);
}

template <class Lanes>
void renderGroup(const RenderSettings& settings, ChannelStates& states, int32_t first,
                 const float* const* inputs, float* const* outputs, int32_t numSamples)
{
    if (settings.antiAlias)
        renderGroup<Lanes, true>(settings, states, first, inputs, outputs, numSamples);
    else
        renderGroup<Lanes, false>(settings, states, first, inputs, outputs, numSamples);
}

} // namespace
} // namespace Brumvale
