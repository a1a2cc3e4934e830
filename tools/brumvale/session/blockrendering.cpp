// Blocks of audio through a session with automation at its offsets, a progress bar, and a
// session opened with a preset and settings.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/blockrendering.h"

#include "presets/presetfolders.h"
#include "session/toolfolder.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace Brumvale {
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
