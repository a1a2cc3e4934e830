// Playing audio through a configured session in blocks, as a host does: the plumbing
// render, demo, presets and live share.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "session/audiofile.h"
#include "session/effectsession.h"

#include <memory>
#include <string>
#include <vector>

namespace Brumvale {

// A parameter value due at a frame of the render.
struct AutomationPoint
{
    long frame;
    Steinberg::Vst::ParamID id;
    Steinberg::Vst::ParamValue value;
};

// Plays `frames` frames of the input (silence after its end) through a started
// session in blocks, delivering each point at its sample offset.
void renderBlocks(EffectSession& session, const Audio& input, std::vector<AutomationPoint> points,
                  int block, long frames, Audio& output, bool showProgress);

// The whole input through a fresh instance of the plug-in at plugin with the
// settings, in 512-frame blocks; false with a one-line reason in error.
bool renderWithSettings(const std::string& plugin, const Audio& input,
                        const std::vector<ParameterSetting>& settings, Audio& output,
                        std::string& error);

// The effect of the bundle at plugin (the one beside the tool when empty), with
// the preset loaded when one is named and the settings resolved into values;
// null with a one-line reason in error.
std::unique_ptr<EffectSession> openConfiguredSession(const std::string& plugin,
                                                     const std::string& preset,
                                                     const std::vector<ParameterSetting>& settings,
                                                     EffectSession::ParameterValues& values,
                                                     std::string& error);

} // namespace Brumvale
