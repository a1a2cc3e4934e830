// The engine's settings (levels, rate, oversampling factor, smoothers) and its block processing.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "octavefuzzengine.h"

#include "blockrenderer.h"
#include "decibels.h"
#include "floatingpointmode.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Brumvale {
namespace {

// Levels are taken within +-200 dB: gains from 1e-10 to 1e10 keep every product of
// the chain finite for audio at any sensible level, so a stray setting (a state or
// automation far outside the parameter range) cannot break the sound. Not a number
// counts as 0 dB.
float limitedLevelDb(float db)
{
    constexpr float kLimitDb = 200.0f;
    return std::isnan(db) ? 0.0f : std::clamp(db, -kLimitDb, kLimitDb);
}

} // namespace

OctaveFuzzEngine::OctaveFuzzEngine(Instructions instructions)
    : tuning(makeFuzzTuning()),
      wide(instructions == Instructions::kWidest && wideRenderingAvailable())
{
    shaper.clipHigh = tuning.clipHigh;
    shaper.clipLow = tuning.clipLow;
    shaper.biasKnee = tuning.biasKnee;
    setSampleRate(44100.0);
    setAntiAlias(false);
    setWarmth(false);
}

void OctaveFuzzEngine::setChannelCount(int32_t channels)
{
    // On failure the states are left empty: the engine then renders nothing.
    silence.resize(states.resize(channels) ? channels : 0);
}

void OctaveFuzzEngine::setSampleRate(double sampleRate)
{
    // Truncated toward zero; rates that do not fit (or are not numbers) become 0,
    // which runs at factor 1 with pass-through filters instead of overflowing.
    const IeeeArithmeticScope ieee;
    constexpr double kLargest = std::numeric_limits<int32_t>::max();
    rate = sampleRate >= 0.0 && sampleRate <= kLargest ? static_cast<int32_t>(sampleRate) : 0;
    fade.setSampleRate(rate);
}

void OctaveFuzzEngine::setBoostDb(float db)
{
    const IeeeArithmeticScope ieee;
    boostGain = decibelsToGain(limitedLevelDb(db));
}

void OctaveFuzzEngine::setVolumeDb(float db)
{
    const IeeeArithmeticScope ieee;
    volumeGain = decibelsToGain(limitedLevelDb(db));
}

void OctaveFuzzEngine::setBypass(bool on) { fade.request(on); }

void OctaveFuzzEngine::setAntiAlias(bool on)
{
    const IeeeArithmeticScope ieee;
    antiAlias = on;
    switch (on ? rate : 0)
    {
    case 44100:
    case 48000:
        factor = 8;
        break;
    case 88200:
    case 96000:
        factor = 4;
        break;
    case 176400:
    case 192000:
        factor = 2;
        break;
    default:
        factor = 1;
        break;
    }
    // The shaper's smoothers run at the oversampled rate, the output tracker at
    // the host rate.
    const float shaperRate = static_cast<float>(factor * rate);
    shaper.inputTracker = OnePole::design(tuning.inputLowCutMs, shaperRate);
    shaper.envelope = OnePole::design(tuning.envelopeMs, shaperRate);
    shaper.rectifierTracker = OnePole::design(tuning.rectifierLowCutMs, shaperRate);
    outputTracker = OnePole::design(tuning.outputLowCutMs, static_cast<float>(rate));
}

void OctaveFuzzEngine::setWarmth(bool on)
{
    shaper.clipSharpness = on ? tuning.clipSharpnessWarm : tuning.clipSharpnessNormal;
    shaper.rectifierKnee = on ? tuning.rectifierKneeWarm : tuning.rectifierKneeNormal;
}

void OctaveFuzzEngine::reset() { states.reset(); }

void OctaveFuzzEngine::processBlock(const float* const* inputs, float* const* outputs,
                                    int32_t numSamples)
{
    if (numSamples <= 0)
        return;
    const IeeeArithmeticScope ieee;
    const int32_t channels = states.count();
    if (fade.bypassed())
    {
        for (int32_t c = 0; c < channels; ++c)
            if (inputs[c] != outputs[c])
                std::copy_n(inputs[c], numSamples, outputs[c]);
    }
    else
    {
        RenderSettings settings;
        settings.boostGain = boostGain;
        settings.headroom = tuning.headroom;
        settings.outputScale = tuning.headroom * volumeGain;
        settings.outputTracker = outputTracker;
        settings.shaper = shaper;
        if (antiAlias)
        {
            settings.antiAlias = &AntiAliasCoefficients::forRate(factor * rate);
            settings.oversampling = factor;
        }
        silence.process(states, inputs, outputs, numSamples,
                        [&](const float* const* in, float* const* out, int32_t samples) {
                            const int32_t first =
                                wide ? renderChannelsWide(settings, states, 0, in, out, samples)
                                     : 0;
                            renderChannels(settings, states, first, in, out, samples);
                        });
        restartBrokenChannels(outputs, numSamples);
    }
    fade.apply(outputs, channels, numSamples);
}

void OctaveFuzzEngine::restartBrokenChannels(float* const* outputs, int32_t numSamples)
{
    for (int32_t c = 0; c < states.count(); ++c)
        if (!states.finite(c))
        {
            states.restart(c);
            std::fill_n(outputs[c], numSamples, 0.0f);
        }
}

} // namespace Brumvale
