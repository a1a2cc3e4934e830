// One group of channels rendered sample by sample: input gain, shaper, low cut and Volume.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The per-sample work of the engine for one group of channels, generic over the
// lane pack. Included by the renderer translation units only; the unnamed
// namespace keeps each unit's instantiations (baseline or AVX) its own.

#include "blockrenderer.h"

namespace Brumvale {
namespace {

// The input gain with its guard value, and the low cut and Volume at the output,
// for one group of channels, with the output smoother's memory.
template <class Lanes> class GroupStages
{
public:
    using Floats = typename Lanes::Floats;

    GroupStages(const RenderSettings& settings, ChannelStates& states, int32_t first,
                const float* const* inputs, float* const* outputs)
        : tiny(kTiny), boostGain(settings.boostGain), headroom(settings.headroom),
          outputScale(settings.outputScale), outputGain(settings.outputTracker.gain),
          outputPole(settings.outputTracker.pole),
          outputTracker(Lanes::loadFloats(states.outputTracker() + first)), first(first),
          inputs(inputs), outputs(outputs)
    {}
    void store(ChannelStates& states) const
    {
        Lanes::storeFloats(states.outputTracker() + first, outputTracker);
    }

    // Near-silent samples become the guard value, unboosted and positive. The gain
    // applies to loud samples only: on subnormal input it would be slow arithmetic
    // thrown away.
    Floats input(int32_t i) const
    {
        const Floats x = Lanes::gather(inputs, first, i);
        const auto loud = absolute(x) >= tiny;
        return select(loud, select(loud, x, tiny) * boostGain / headroom, tiny);
    }
    // The output smoother minus the signal takes out the low end and inverts.
    void output(int32_t i, Floats z)
    {
        outputTracker = outputGain * z + outputPole * outputTracker;
        Lanes::scatter(outputs, first, i, (outputTracker - z) * outputScale);
    }

private:
    const Floats tiny, boostGain, headroom, outputScale, outputGain, outputPole;
    Floats outputTracker;
    const int32_t first;
    const float* const* inputs;
    float* const* outputs;
};

template <class Lanes, bool kOversampled>
void renderGroup(const RenderSettings& settings, ChannelStates& states, int32_t first,
                 const float* const* inputs, float* const* outputs, int32_t numSamples)
{
    using Floats = typename Lanes::Floats;
    using Doubles = typename Lanes::Doubles;

    GroupStages<Lanes> io(settings, states, first, inputs, outputs);
    const ShaperLanes<Floats> shaper(settings.shaper);
    ShaperState<Floats> shape{Lanes::loadFloats(states.inputTracker() + first),
                              Lanes::loadFloats(states.envelope() + first),
                              Lanes::loadFloats(states.rectifierTracker() + first)};

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
            const Doubles v = Lanes::toDoubles(io.input(i));
            Floats w = gain * Lanes::toFloats(filter.step(interpolator, v));
            w = shapeSample(w, shape, shaper);
            const Floats z = Lanes::toFloats(filter.step(decimator, Lanes::toDoubles(w)));
            for (int32_t j = 1; j < factor; ++j)
            {
                w = gain * Lanes::toFloats(filter.stepSilent(interpolator));
                filter.step(decimator, Lanes::toDoubles(shapeSample(w, shape, shaper)));
            }
            io.output(i, z);
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
            io.output(i, shapeSample(io.input(i), shape, shaper));
    }

    Lanes::storeFloats(states.inputTracker() + first, shape.inputTracker);
    Lanes::storeFloats(states.envelope() + first, shape.envelope);
    Lanes::storeFloats(states.rectifierTracker() + first, shape.rectifierTracker);
    io.store(states);
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
