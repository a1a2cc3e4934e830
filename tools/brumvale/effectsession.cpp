// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#include "effectsession.h"

#include "text.h"

#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include "public.sdk/source/vst/vstpresetfile.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace Brumvale {
namespace {

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

SpeakerArrangement arrangementFor(int channels)
{
    if (channels == 1)
        return SpeakerArr::kMono;
    if (channels == 2)
        return SpeakerArr::kStereo;
    return channels >= 64 ? ~SpeakerArrangement(0) : (SpeakerArrangement(1) << channels) - 1;
}

} // namespace

std::unique_ptr<EffectSession> EffectSession::open(const std::string& bundlePath,
                                                   std::string& error)
{
    std::unique_ptr<EffectSession> session(new EffectSession);
    session->pluginModule = Host::PluginModule::load(bundlePath, error);
    if (!session->pluginModule)
        return nullptr;
    if (!session->pluginModule->findClass(kVstAudioEffectClass, session->effect))
    {
        error = bundlePath + " has no audio effect class";
        return nullptr;
    }
    session->pluginInstance =
        Host::PluginInstance::create(*session->pluginModule, session->effect.cid, error);
    if (!session->pluginInstance)
        return nullptr;
    if (session->pluginInstance->open() != kResultOk)
    {
        error = "the plug-in in " + bundlePath + " does not initialise";
        return nullptr;
    }
    return session;
}

EffectSession::~EffectSession()
{
    blockRunner.reset();
    if (pluginInstance)
        pluginInstance->close();
    pluginInstance.reset();
}

bool EffectSession::findParameter(const std::string& name, ParamID& id, std::string& error) const
{
    IEditController* controller = pluginInstance->controller();
    const int32 count = controller ? controller->getParameterCount() : 0;
    char* end = nullptr;
    const unsigned long number = std::strtoul(name.c_str(), &end, 10);
    const bool numeric = !name.empty() && end && *end == '\0';
    for (int32 i = 0; i < count; ++i)
    {
        ParameterInfo info{};
        if (controller->getParameterInfo(i, info) != kResultOk)
            continue;
        if ((numeric && info.id == number) ||
            lowerCase(Host::toUtf8(info.title)) == lowerCase(name))
        {
            id = info.id;
            return true;
        }
    }
    error = "unknown parameter '" + name + "'";
    return false;
}

bool EffectSession::parseValue(ParamID id, const std::string& text, ParamValue& normalized,
                               std::string& error) const
{
    if (text.rfind("n:", 0) == 0)
    {
        char* end = nullptr;
        normalized = std::strtod(text.c_str() + 2, &end);
        if (end && *end == '\0' && end != text.c_str() + 2)
        {
            // Hosts send normalised values from 0 to 1 only (NaN fails here too).
            if (normalized >= 0.0 && normalized <= 1.0)
                return true;
            error = "a normalised value lies from 0 to 1, not '" + text + "'";
            return false;
        }
    }
    else
    {
        String128 wide{};
        UString(wide, 128).fromAscii(text.c_str());
        if (pluginInstance->controller()->getParamValueByString(id, wide, normalized) == kResultOk)
            return true;
        // Plug-ins often cannot read back the names of their own steps ("On"):
        // match the text against what each step shows.
        const int32 steps = stepCount(id);
        for (int32 step = 0; step <= steps && steps > 0; ++step)
            if (lowerCase(displayText(id, double(step) / steps)) == lowerCase(text))
            {
                normalized = double(step) / steps;
                return true;
            }
    }
    error = "the plug-in cannot read '" + text + "' as a value";
    return false;
}

int32 EffectSession::stepCount(ParamID id) const
{
    IEditController* controller = pluginInstance->controller();
    for (int32 i = 0; i < controller->getParameterCount(); ++i)
    {
        ParameterInfo info{};
        if (controller->getParameterInfo(i, info) == kResultOk && info.id == id)
            return info.stepCount;
    }
    return 0;
}

std::string EffectSession::displayText(ParamID id, ParamValue normalized) const
{
    String128 text{};
    if (pluginInstance->controller()->getParamStringByValue(id, normalized, text) != kResultOk)
        return "";
    return Host::toUtf8(text);
}

bool EffectSession::loadPreset(const std::string& path, std::string& error)
{
    IPtr<IBStream> stream(FileStream::open(path.c_str(), "rb"), false);
    if (!stream)
    {
        error = "cannot read preset " + path;
        return false;
    }
    if (!PresetFile::loadPreset(stream, FUID::fromTUID(effect.cid), pluginInstance->component(),
                                pluginInstance->controller()))
    {
        error = path + " is not a preset of this plug-in";
        return false;
    }
    return true;
}

bool EffectSession::savePreset(const std::string& path, std::string& error)
{
    const std::string temporary = path + ".partial";
    bool saved = false;
    {
        IPtr<IBStream> stream(FileStream::open(temporary.c_str(), "wb"), false);
        saved = stream &&
                PresetFile::savePreset(stream, FUID::fromTUID(effect.cid),
                                       pluginInstance->component(), pluginInstance->controller());
    }
    std::error_code renamed;
    if (saved)
        std::filesystem::rename(temporary, path, renamed);
    if (!saved || renamed)
    {
        std::filesystem::remove(temporary, renamed);
        error = "cannot write preset " + path;
        return false;
    }
    return true;
}

bool EffectSession::start(int channels, double sampleRate, int maxBlock, std::string& error)
{
    if (channels > 64)
    {
        error = std::to_string(channels) + " channels are more than a VST 3 bus carries (64)";
        return false;
    }
    const SpeakerArrangement arrangement = arrangementFor(channels);
    if (pluginInstance->setBusArrangements(arrangement, arrangement) != kResultOk)
    {
        error = "the plug-in refuses " + std::to_string(channels) + " channels";
        return false;
    }
    if (pluginInstance->setupProcessing(sampleRate, maxBlock) != kResultOk)
    {
        error = "the plug-in refuses the sample rate " + std::to_string(int(sampleRate)) + " Hz";
        return false;
    }
    if (pluginInstance->setActive(true) != kResultOk)
    {
        error = "the plug-in does not activate";
        return false;
    }
    pluginInstance->setProcessing(true);
    blockRunner = std::make_unique<Host::BlockRunner>(pluginInstance->processor(), channels,
                                                      channels, maxBlock);
    return true;
}

bool EffectSession::resolve(const std::vector<ParameterSetting>& settings, ParameterValues& values,
                            std::string& error) const
{
    for (const ParameterSetting& setting : settings)
    {
        ParamID id = 0;
        ParamValue value = 0.0;
        if (!findParameter(setting.name, id, error) || !parseValue(id, setting.value, value, error))
            return false;
        values.emplace_back(id, value);
    }
    return true;
}

bool EffectSession::apply(const ParameterValues& values)
{
    for (const auto& [id, value] : values)
    {
        pluginInstance->controller()->setParamNormalized(id, value);
        blockRunner->changes().addChange(id, 0, value);
    }
    return values.empty() || blockRunner->flush() == kResultOk;
}

void EffectSession::stop() { pluginInstance->stopProcessing(); }

} // namespace Brumvale
