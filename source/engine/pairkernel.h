// Channel pairs rendered in short chunks, so the processor overlaps the samples' long chains.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A pair of channels (stereo) rendered in short chunks, arranged for
// instruction-level parallelism. Included by the renderer translation units only
// (unnamed namespace, like blockkernel.h).
//
// What bounds a plain per-sample loop is latency: every sample runs one long chain
// of filter, smoother, division, clipper and filter steps, and the processor can
// overlap consecutive samples only as far as its reordering window reaches. Here
// the sample loop keeps only the filters and the smoothers before the clipper;
// the clipper with its two divisions, the smoother after it and the rectifier
// then run over the whole chunk, as wide as the registers allow. The oversampled
// path lets the decimator lag one chunk behind the interpolator, so a chunk's
// shaped sub-samples are ready before the decimator needs them.
//
// Every filter, smoother and curve still sees exactly the sequence of values of
// the per-sample loop, so the samples are the same to the bit.

#include "blockkernel.h"
#include "blockrenderer.h"
#include "simd/baselinelanes.h"

#include <algorithm>

namespace Brumvale {
namespace {
namespace simd {

// The two filters of a channel pair as separate registers: the interpolator's
// stuffed zeros take the short step.
class PairFilters
{
public:
    PairFilters(const AntiAliasCoefficients& coefficients, ChannelStates& states, int32_t first)
        : filter(coefficients)
    {
        for (int k = 0; k < ChannelStates::kFilterOrder; ++k)
        {
            interpolator[k] = PairLanes::loadDoubles(states.interpolator(k) + first);
            decimator[k] = PairLanes::loadDoubles(states.decimator(k) + first);
        }
    }
    void store(ChannelStates& states, int32_t first) const
    {
        for (int k = 0; k < ChannelStates::kFilterOrder; ++k)
        {
            PairLanes::storeDoubles(states.interpolator(k) + first, interpolator[k]);
            PairLanes::storeDoubles(states.decimator(k) + first, decimator[k]);
        }
    }

    // Results are floats in lanes 0 and 1.
    Floats4 interpolate(Doubles2 v) { return toLowFloats(filter.step(interpolator, v)); }
    Floats4 interpolateSilent() { return toLowFloats(filter.stepSilent(interpolator)); }
    Floats4 decimate(Doubles2 w) { return toLowFloats(filter.step(decimator, w)); }

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
    AntiAliasFilter<Doubles2> filter;
    Doubles2 interpolator[ChannelStates::kFilterOrder];
    Doubles2 decimator[ChannelStates::kFilterOrder];
};

constexpr int kChunkValues = 256; // per buffer: 16 frames of 8 sub-samples of 2 channels

// Per-chunk scratch, two channels interleaved: what the shaper takes in (before
// the oversampling gain), the two smoothers feeding the clipper, and the shaped
// result. On the stack: no allocation.
struct PairChunk
{
    alignas(32) float input[kChunkValues] = {};
    alignas(32) float inputTracker[kChunkValues] = {};
    alignas(32) float envelope[kChunkValues] = {};
    alignas(32) float shaped[kChunkValues] = {};
};

// The shaper of a channel pair in two passes. track() runs per sample and steps
// the two smoothers before the clipper, packed in one register as [input tracker
// of channels 0 and 1, envelope of channels 0 and 1]. shapeChunk() then runs the
// bias, the clipper, the smoother after it and the rectifier over the chunk.
template <class Wide> class PairShaper
{
public:
    // Samples reach track() before the oversampling gain; it is folded into the
    // smoothers' gains, which is exact because the gain is a power of two.
    PairShaper(const ShaperSettings& settings, ChannelStates& states, int32_t first, float gain)
        : lanes(settings), pairLanes(settings), gain(gain),
          drives(pairOfPairs(settings.inputTracker.gain * gain, settings.envelope.gain * gain)),
          poles(pairOfPairs(settings.inputTracker.pole, settings.envelope.pole)),
          trackers(lowHalves(loadPair(states.inputTracker() + first),
                             loadPair(states.envelope() + first))),
          rectifierTracker(loadPair(states.rectifierTracker() + first)),
          rectifierPole(settings.rectifierTracker.pole),
          rectifierGain(settings.rectifierTracker.gain)
    {}
    void store(ChannelStates& states, int32_t first) const
    {
        storePair(states.inputTracker() + first, trackers);
        storePair(states.envelope() + first, highHalf(trackers));
        storePair(states.rectifierTracker() + first, rectifierTracker);
    }

    // x in lanes 0 and 1.
    void track(Floats4 x, PairChunk& chunk, int at)
    {
        trackers = drives * withMagnitudes(x) + poles * trackers;
        storePair(chunk.input + at, x);
        storePair(chunk.inputTracker + at, trackers);
        storePair(chunk.envelope + at, highHalf(trackers));
    }

    // The first count values of the chunk: whole registers, then sample by sample,
    // so the smoother after the clipper steps through exactly the chunk's samples.
    void shapeChunk(PairChunk& chunk, int count)
    {
        int i = 0;
        for (; i + Wide::kWidth <= count; i += Wide::kWidth)
        {
            const Wide y = clip(Wide::load(chunk.input + i), Wide::load(chunk.inputTracker + i),
                                Wide::load(chunk.envelope + i), lanes);
            const Wide smoothed = trackRectifier(y, rectifierTracker, rectifierPole, rectifierGain);
            Wide::store(chunk.shaped + i, softRectify(absolute(y - smoothed), lanes));
        }
        for (; i < count; i += 2)
        {
            const Floats4 y = clip(loadPair(chunk.input + i), loadPair(chunk.inputTracker + i),
                                   loadPair(chunk.envelope + i), pairLanes);
            rectifierTracker = rectifierPole * rectifierTracker + rectifierGain * y;
            storePair(chunk.shaped + i, softRectify(absolute(y - rectifierTracker), pairLanes));
        }
    }

private:
    // The bias that grows with the envelope, then the clipper.
    template <class W> W clip(W x, W inputTracker, W envelope, const ShaperLanes<W>& s) const
    {
        const W q = envelope / (envelope + s.biasKnee);
        return softClip(addEnvelopeBias(W(gain) * x - inputTracker, q, envelope), s);
    }

    const ShaperLanes<Wide> lanes;
    const ShaperLanes<Floats4> pairLanes;
    const float gain;
    const Floats4 drives, poles;
    Floats4 trackers;
    Floats4 rectifierTracker;
    const Floats4 rectifierPole, rectifierGain;
};

// Channels first and first + 1 at the host rate (HiFi off).
template <class Wide>
void renderPairDirect(const RenderSettings& settings, ChannelStates& states, int32_t first,
                      const float* const* inputs, float* const* outputs, int32_t numSamples)
{
    GroupStages<PairLanes> io(settings, states, first, inputs, outputs);
    PairShaper<Wide> shaper(settings.shaper, states, first, 1.0f);
    PairChunk chunk;
    for (int32_t start = 0; start < numSamples; start += kChunkValues / 2)
    {
        const int frames = int(std::min<int32_t>(kChunkValues / 2, numSamples - start));
        for (int f = 0; f < frames; ++f)
            shaper.track(io.input(start + f), chunk, 2 * f);
        shaper.shapeChunk(chunk, 2 * frames);
        for (int f = 0; f < frames; ++f)
            io.output(start + f, loadPair(chunk.shaped + 2 * f));
    }
    shaper.store(states, first);
    io.store(states);
}

// Channels first and first + 1 with the HiFi switch on at a factor of 2, 4 or 8.
// The interpolator and the smoothers before the clipper run on chunk m while the
// decimator takes the shaped sub-samples of chunk m - 1.
template <class Filters, class Wide>
void renderPairOversampled(const RenderSettings& settings, ChannelStates& states, int32_t first,
                           const float* const* inputs, float* const* outputs, int32_t numSamples)
{
    const int factor = settings.oversampling;
    const int chunkFrames = kChunkValues / (2 * 8);
    GroupStages<PairLanes> io(settings, states, first, inputs, outputs);
    PairShaper<Wide> shaper(settings.shaper, states, first, static_cast<float>(factor));
    Filters filters(*settings.antiAlias, states, first);
    PairChunk chunk;

    // Zero stuffing: the input sample, then factor - 1 zeros, each lifted by the
    // factor (in the shaper); the decimator keeps the sub-sample in line with the
    // input.
    const auto interpolated = [&](Floats4 y, int at) { shaper.track(y, chunk, at); };
    const auto decimatorInput = [&](int at) { return lowToDoubles(loadPair(chunk.shaped + at)); };

    int32_t previousStart = 0;
    int previousFrames = 0;
    for (int32_t start = 0;; start += chunkFrames)
    {
        const int frames = int(std::clamp<int32_t>(numSamples - start, 0, chunkFrames));
        const int both = std::min(frames, previousFrames);
        Floats4 y;
        for (int f = 0; f < both; ++f)
        {
            int at = 2 * factor * f;
            const Floats4 z =
                filters.stepBoth(decimatorInput(at), lowToDoubles(io.input(start + f)), y);
            interpolated(y, at);
            for (int j = 1; j < factor; ++j)
            {
                at += 2;
                filters.stepBothSilent(decimatorInput(at), y);
                interpolated(y, at);
            }
            io.output(previousStart + f, z);
        }
        for (int f = both; f < frames; ++f) // the first chunk: nothing to decimate yet
        {
            int at = 2 * factor * f;
            interpolated(filters.interpolate(lowToDoubles(io.input(start + f))), at);
            for (int j = 1; j < factor; ++j)
                interpolated(filters.interpolateSilent(), at += 2);
        }
        for (int f = both; f < previousFrames; ++f) // the last chunk: nothing left to interpolate
        {
            int at = 2 * factor * f;
            const Floats4 z = filters.decimate(decimatorInput(at));
            for (int j = 1; j < factor; ++j)
                filters.decimate(decimatorInput(at += 2));
            io.output(previousStart + f, z);
        }
        if (frames == 0)
            break;
        shaper.shapeChunk(chunk, 2 * factor * frames);
        previousStart = start;
        previousFrames = frames;
    }

    filters.store(states, first);
    shaper.store(states, first);
    io.store(states);
}

// Channels first and first + 1: the chunked paths, or the per-sample one when the
// HiFi switch runs at factor 1 with pass-through filters.
template <class Filters, class Wide>
void renderPair(const RenderSettings& settings, ChannelStates& states, int32_t first,
                const float* const* inputs, float* const* outputs, int32_t numSamples)
{
    if (!settings.antiAlias)
        renderPairDirect<Wide>(settings, states, first, inputs, outputs, numSamples);
    else if (settings.oversampling >= 2)
        renderPairOversampled<Filters, Wide>(settings, states, first, inputs, outputs, numSamples);
    else
        renderGroup<PairLanes, true>(settings, states, first, inputs, outputs, numSamples);
}

} // namespace simd

using simd::Floats4;
using simd::PairFilters;
using simd::renderPair;

} // namespace
} // namespace Brumvale
