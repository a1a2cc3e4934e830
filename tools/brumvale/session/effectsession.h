// One VST 3 effect hosted for the tool's commands (module, processor and controller,
// connected), opened with a preset and settings, and audio played through it in blocks.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "blockrunner.h"
#include "plugininstance.h"
#include "pluginmodule.h"
#include "session/audiofile.h"
#include "session/parametertexts.h"

#include <memory>
#include <string>
#include <vector>

namespace Brumvale {

// One VST 3 audio effect loaded from its bundle as a host loads it: the module,
// the processor and its controller, connected, with the controller holding the
// processor's state.
class EffectSession
{
public:
    static std::unique_ptr<EffectSession> open(const std::string& bundlePath, std::string& error);
    ~EffectSession();

    const Host::PluginModule& module() const { return *pluginModule; }
    Host::PluginInstance& instance() const { return *pluginInstance; }

    // The controller's parameters by name and text.
    ParameterTexts parameters() const { return ParameterTexts(*pluginInstance->controller()); }
    using ParameterValues = ParameterTexts::ParameterValues;

    // Standard .vstpreset files: processor state, controller state, class ID.
    bool loadPreset(const std::string& path, std::string& error);
    bool savePreset(const std::string& path, std::string& error);

    // Busses for the channel count, set-up at the rate, active and processing.
    bool start(int channels, double sampleRate, int maxBlock, std::string& error);
    // Delivers parameter values to the processor as a host does, in a process
    // call without audio, and to the controller.
    bool apply(const ParameterValues& values);
    Host::BlockRunner& runner() { return *blockRunner; }
    void stop();

private:
    EffectSession() = default;

    std::unique_ptr<Host::PluginModule> pluginModule;
    std::unique_ptr<Host::PluginInstance> pluginInstance;
    std::unique_ptr<Host::BlockRunner> blockRunner;
    Host::ClassInfo effect;
};

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

// The folder of the running program, with its final slash ("" when unknown).
std::string toolFolder();
// The plug-in the commands use unless given one: Brumvale.vst3 beside the tool
// (a build tree), else <prefix>/lib/vst3/Brumvale.vst3 when the tool is
// <prefix>/bin/brumvale (an installed one), else the first for the messages.
std::string defaultBundle();

} // namespace Brumvale
