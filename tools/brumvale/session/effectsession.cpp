// Opening the effect's instance, loading and saving .vstpreset files, and starting its processing.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/effectsession.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include "presetchunks.h"
#include "public.sdk/source/vst/vstpresetfile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace Brumvale {
namespace {

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

bool EffectSession::loadPreset(const std::string& path, std::string& error)
{
    // Read and checked whole before the plug-in sees any of it.
    constexpr std::uintmax_t kLargest = 1 << 20;
    std::error_code unreadable;
    const bool regular = std::filesystem::is_regular_file(path, unreadable);
    if (regular && std::filesystem::file_size(path, unreadable) > kLargest)
    {
        error = path + " is too large to be a preset";
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(file), {});
    if (!regular || !file)
    {
        error = "cannot read preset " + path;
        return false;
    }
    Host::PresetChunks chunks;
    std::string reason;
    if (!chunks.read(bytes, effect.cidString, reason))
    {
        error = path + " " + reason;
        return false;
    }
    // What the plug-in holds now, put back should it refuse a part of the preset.
    std::vector<std::uint8_t> componentBefore, controllerBefore;
    pluginInstance->getComponentState(componentBefore);
    pluginInstance->getControllerState(controllerBefore);
    const bool taken = pluginInstance->setComponentState(chunks.component) == kResultOk &&
                       pluginInstance->setControllerComponentState(chunks.component) == kResultOk &&
                       (!chunks.hasController ||
                        pluginInstance->setControllerState(chunks.controller) == kResultOk);
    if (!taken)
    {
        pluginInstance->setComponentState(componentBefore);
        pluginInstance->setControllerComponentState(componentBefore);
        pluginInstance->setControllerState(controllerBefore);
        error = path + " holds a state the plug-in refuses";
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
