// A factory preset's settings as texts, and its levels, octave and brightness on the DI riff.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "presets/presetmeasure.h"

#include "pluckedphrase.h"
#include "session/effectsession.h"
#include "spectrum.h"

#include "processor/parametertable.h"

#include <cmath>
#include <cstdio>

namespace Brumvale {
namespace {

constexpr int kRate = 44100;

// A level as the user types it: "-12 dB".
std::string level(double value, const char* unit)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g %s", value, unit);
    return text;
}

} // namespace

std::vector<ParameterSetting> presetSettings(const FactoryPreset& preset)
{
    std::vector<ParameterSetting> settings;
    for (const ParameterDescription& row : kParameters)
    {
        const double value = preset.values()[row.id];
        settings.push_back({row.name, row.kind == ParameterKind::kSwitch
                                          ? std::string(value > 0.5 ? "On" : "Off")
                                          : level(value, row.unit)});
    }
    return settings;
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
