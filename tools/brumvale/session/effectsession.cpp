// Opening the effect's instance, loading and saving .vstpreset files, starting its processing,
// and playing audio through it in blocks.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/effectsession.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include "presetchunks.h"
#include "presets/presetfolders.h"
#include "public.sdk/source/vst/vstpresetfile.h"

#include <algorithm>
#include <cstdio>
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

namespace {

// A bar on standard error, redrawn as the render moves on.
class ProgressBar
{
public:
    explicit ProgressBar(bool shown) : shown(shown) {}
    void update(double fraction)
    {
        const int filled = int(fraction * kWidth);
        if (!shown || filled == drawn)
            return;
        drawn = filled;
        std::fprintf(stderr, "\r[%.*s%*s] %3d%%", filled,
                     "########################################", kWidth - filled, "",
                     int(fraction * 100.0));
        std::fflush(stderr);
    }
    void finish()
    {
        if (shown)
            std::fprintf(stderr, "\r%*s\r", kWidth + 8, "");
    }

private:
    static constexpr int kWidth = 40;
    const bool shown;
    int drawn = -1;
};

} // namespace

void renderBlocks(EffectSession& session, const Audio& input, std::vector<AutomationPoint> points,
                  int block, long frames, Audio& output, bool showProgress)
{
    const int channels = input.channelCount();
    output.sampleRate = input.sampleRate;
    output.channels.assign(size_t(channels), std::vector<float>(size_t(frames)));
    std::stable_sort(
        points.begin(), points.end(),
        [](const AutomationPoint& a, const AutomationPoint& b) { return a.frame < b.frame; });
    Host::BlockRunner& runner = session.runner();
    ProgressBar progress(showProgress);
    auto next = points.begin();
    for (long start = 0; start < frames; start += block)
    {
        const int length = int(std::min<long>(block, frames - start));
        for (int c = 0; c < channels; ++c)
        {
            float* in = runner.input().channel(c);
            const std::vector<float>& source = input.channels[size_t(c)];
            for (int i = 0; i < length; ++i)
                in[i] = start + i < input.frames() ? source[size_t(start + i)] : 0.0f;
        }
        for (; next != points.end() && next->frame < start + length; ++next)
            runner.changes().addChange(next->id, int32(std::max(0L, next->frame - start)),
                                       next->value);
        runner.run(length);
        for (int c = 0; c < channels; ++c)
            std::copy_n(runner.output().channel(c), length,
                        output.channels[size_t(c)].begin() + start);
        progress.update(double(start + length) / double(frames));
    }
    progress.finish();
}

std::unique_ptr<EffectSession> openConfiguredSession(const std::string& plugin,
                                                     const std::string& preset,
                                                     const std::vector<ParameterSetting>& settings,
                                                     EffectSession::ParameterValues& values,
                                                     std::string& error)
{
    auto session = EffectSession::open(plugin.empty() ? defaultBundle() : plugin, error);
    if (!session)
        return nullptr;
    // A file first; a name that is no file may be a factory preset's.
    std::string presetFile = preset;
    std::error_code unreadable;
    const FactoryPreset* factory = findFactoryPreset(preset);
    if (factory && !std::filesystem::exists(preset, unreadable))
    {
        presetFile = factoryPresetFile(*factory);
        if (presetFile.empty())
        {
            error = "no file of the factory preset " + std::string(factory->name) +
                    " is installed (brumvale presets says where it looks)";
            return nullptr;
        }
    }
    if ((!presetFile.empty() && !session->loadPreset(presetFile, error)) ||
        !session->parameters().resolve(settings, values, error))
        return nullptr;
    return session;
}

bool renderWithSettings(const std::string& plugin, const Audio& input,
                        const std::vector<ParameterSetting>& settings, Audio& output,
                        std::string& error)
{
    constexpr int kBlock = 512;
    EffectSession::ParameterValues values;
    auto session = openConfiguredSession(plugin, "", settings, values, error);
    if (!session || !session->start(input.channelCount(), input.sampleRate, kBlock, error))
        return false;
    session->apply(values);
    renderBlocks(*session, input, {}, kBlock, input.frames(), output, false);
    session->stop();
    return true;
}

} // namespace Brumvale
