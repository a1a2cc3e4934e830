// A factory preset's settings as texts, and its levels, octave and brightness on the DI riff.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "presets/presetmeasure.h"

#include "commands.h"
#include "pluckedphrase.h"
#include "spectrum.h"

#include <cmath>
#include <cstdio>

namespace Brumvale {
namespace {

constexpr int kRate = 44100;

std::string decibels(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g dB", value);
    return text;
}

} // namespace

std::vector<ParameterSetting> presetSettings(const FactoryPreset& preset)
{
    const auto onOff = [](bool on) { return std::string(on ? "On" : "Off"); };
    return {{"Bypass", onOff(preset.bypass)},
            {"AntiAlias", onOff(preset.hifi)},
            {"Warmth", onOff(preset.warmth)},
            {"Boost", decibels(preset.boostDb)},
            {"Volume", decibels(preset.volumeDb)}};
}

std::vector<float> diRiff()
{
    std::vector<float> riff = synthesisePluckedPhrase(kRate, 4.0);
    const double scale = std::pow(10.0, -12.0 / 20.0) / peakLevel(riff);
    for (float& sample : riff)
        sample = float(sample * scale);
    return riff;
}

bool measurePreset(const std::string& plugin, const FactoryPreset& preset,
                   PresetMeasurement& measured, std::string& error)
{
    Audio input, output;
    input.sampleRate = kRate;
    input.channels = {diRiff()};
    if (!renderWithSettings(plugin, input, presetSettings(preset), output, error))
        return false;

    const std::vector<float>& sound = output.channels[0];
    const double note = strongestFrequency(input.channels[0], kRate);
    const Spectrum spectrum = computeSpectrum(sound, kRate);
    measured.peakDb = toDecibels(peakLevel(sound));
    measured.rmsDb = toDecibels(rmsLevel(sound));
    measured.octaveDb = spectrum.levelAt(2.0 * note) - spectrum.levelAt(note);
    measured.brightnessDb = powerAboveDb(spectrum, 1000.0);
    return true;
}

} // namespace Brumvale
