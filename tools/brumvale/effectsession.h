// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#pragma once

#include "blockrunner.h"
#include "plugininstance.h"
#include "pluginmodule.h"
#include "renderoptions.h"

#include <memory>
#include <string>
#include <vector>

namespace Brumvale {

// One VST 3 audio effect loaded from its bundle as a host loads it: the module,
// the processor and its controller, connected, with the controller holding the
// processor's state. Parameters are addressed by title or ID; values are given as
// the plug-in's own display text or as "n:" and a normalised value.
class EffectSession
{
public:
    static std::unique_ptr<EffectSession> open(const std::string& bundlePath, std::string& error);
    ~EffectSession();

    const Host::PluginModule& module() const { return *pluginModule; }
    Host::PluginInstance& instance() const { return *pluginInstance; }

    // The parameter whose title (case-insensitive) or ID is `name`.
    bool findParameter(const std::string& name, Steinberg::Vst::ParamID& id,
                       std::string& error) const;
    // "18 dB" through the plug-in's own parsing, or "n:0.5" (0 to 1).
    bool parseValue(Steinberg::Vst::ParamID id, const std::string& text,
                    Steinberg::Vst::ParamValue& normalized, std::string& error) const;
    std::string displayText(Steinberg::Vst::ParamID id,
                            Steinberg::Vst::ParamValue normalized) const;
    // Both of the above for a list of settings; stops at the first that fails.
    using ParameterValues =
        std::vector<std::pair<Steinberg::Vst::ParamID, Steinberg::Vst::ParamValue>>;
    bool resolve(const std::vector<ParameterSetting>& settings, ParameterValues& values,
                 std::string& error) const;

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
    Steinberg::int32 stepCount(Steinberg::Vst::ParamID id) const;

    std::unique_ptr<Host::PluginModule> pluginModule;
    std::unique_ptr<Host::PluginInstance> pluginInstance;
    std::unique_ptr<Host::BlockRunner> blockRunner;
    Host::ClassInfo effect;
};

} // namespace Brumvale
