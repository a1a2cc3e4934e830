// One VST 3 effect hosted for the tool's commands: module, processor and controller, connected.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "blockrunner.h"
#include "plugininstance.h"
#include "pluginmodule.h"
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

} // namespace Brumvale
