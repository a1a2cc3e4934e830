// A factory preset's settings, and what the demo riff measures through them.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "presets/factorypresets.h"
#include "session/parametertexts.h"

#include <string>
#include <vector>

namespace Brumvale {

// The preset's five values as the plug-in's own texts ("On", "18 dB").
std::vector<ParameterSetting> presetSettings(const FactoryPreset& preset);

// The demo riff as a DI guitar gives it: mono, 44.1 kHz, four seconds, peaking at
// exactly -12 dBFS.
std::vector<float> diRiff();

// Renders the riff through a fresh instance of the plug-in at plugin with the
// preset's values set (in 512-frame blocks) and measures the output. False, with
// the reason, when the plug-in cannot be opened or refuses a value.
bool measurePreset(const std::string& plugin, const FactoryPreset& preset,
                   PresetMeasurement& measured, std::string& error);

} // namespace Brumvale
