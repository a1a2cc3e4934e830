// brumvale render: an audio file through a VST 3 effect, as a host plays it.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/commands.h"
#include "session/audiofile.h"
#include "session/effectsession.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace Brumvale {
namespace {

const char* const kHelp =
    "usage: brumvale render IN OUT [options]\n"
    "\n"
    "Reads IN (WAV, FLAC, AIFF, Ogg, ...), plays it through the plug-in as a host\n"
    "would, and writes OUT with the same rate and channels in the format its\n"
    "extension names (.wav: 32-bit float, .flac: 24-bit, .aiff: 32-bit float,\n"
    ".ogg: Vorbis). OUT appears only when the render succeeded.\n"
    "\n"
    "options:\n"
    "  --plugin PATH                a VST 3 bundle (default: the Brumvale.vst3 built\n"
    "                               beside this tool)\n"
    "  --set NAME=VALUE             set a parameter for the whole render; NAME is its\n"
    "                               title or ID, VALUE its display text (18 dB, On)\n"
    "                               or n: and a normalised value from 0 to 1 (n:0.5)\n"
    "  --automate NAME=T:V,T:V,...  move a parameter during the render: at T seconds\n"
    "                               to V (display text or n:value)\n"
    "  --block N                    samples per process call (default 512)\n"
    "  --preset FILE                load a .vstpreset first (or a factory preset by\n"
    "                               name: brumvale presets lists them)\n"
    "  --save-preset FILE           save the settings (after --preset and --set) as\n"
    "                               a .vstpreset\n"
    "  --tail SECONDS               render this long past the end of the input\n"
    "  --quiet, -q                  no progress bar\n";

// A decimal number making up the whole text.
bool parseNumber(const std::string& text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == '\0';
}

// A parameter moved during the render: NAME=TIME:VALUE,TIME:VALUE,...
struct Automation
{
    struct Point
    {
        double seconds;
        std::string value;
    };
    std::string name;
    std::vector<Point> points;
};

struct RenderOptions
{
    std::string input;
    std::string output;
    std::string plugin; // empty: the bundle beside the tool
    std::string preset;
    std::string savePreset;
    std::vector<ParameterSetting> settings;
    std::vector<Automation> automations;
    int block = 512;
    double tailSeconds = 0.0;
    bool quiet = false;
};

bool parseAutomation(const std::string& text, Automation& automation, std::string& error)
{
    std::string points;
    if (!splitAt(text, '=', automation.name, points))
    {
        error = "--automate wants NAME=TIME:VALUE,TIME:VALUE,... (got '" + text + "')";
        return false;
    }
    size_t start = 0;
    while (start <= points.size())
    {
        const size_t end = std::min(points.find(',', start), points.size());
        std::string time, value;
        Automation::Point point{};
        if (!splitAt(points.substr(start, end - start), ':', time, value) ||
            !parseNumber(time, point.seconds) || point.seconds < 0.0)
        {
            error = "--automate point '" + points.substr(start, end - start) +
                    "' is not TIME:VALUE with TIME in seconds";
            return false;
        }
        point.value = value;
        automation.points.push_back(point);
        start = end + 1;
    }
    return true;
}

bool parseOptions(const std::vector<std::string>& arguments, RenderOptions& options,
                  std::string& error)
{
    OptionParser parser;
    parser.value("--plugin", options.plugin);
    parser.value("--preset", options.preset);
    parser.value("--save-preset", options.savePreset);
    parser.settings(options.settings);
    parser.value("--automate", [&](const std::string& text, std::string& reason) {
        Automation automation;
        if (!parseAutomation(text, automation, reason))
            return false;
        options.automations.push_back(automation);
        return true;
    });
    parser.value("--block", [&](const std::string& text, std::string& reason) {
        double block = 0.0;
        if (!parseNumber(text, block) || block < 1 || block > 65536 || block != int(block))
        {
            reason = "--block wants a whole number of samples from 1 to 65536";
            return false;
        }
        options.block = int(block);
        return true;
    });
    parser.value("--tail", [&](const std::string& text, std::string& reason) {
        if (!parseNumber(text, options.tailSeconds) || options.tailSeconds < 0.0 ||
            options.tailSeconds > 3600.0)
        {
            reason = "--tail wants seconds from 0 to 3600";
            return false;
        }
        return true;
    });
    parser.flag("--quiet", options.quiet);
    parser.flag("-q", options.quiet);
    std::vector<std::string> files;
    if (!parser.parse(arguments, files, error))
        return false;
    if (files.size() != 2)
    {
        error = "render wants an input and an output file";
        return false;
    }
    options.input = files[0];
    options.output = files[1];
    return true;
}

int render(const RenderOptions& options)
{
    std::string error;
    if (!knownOutputFormat(options.output, error))
        return reportFailure(error);
    Audio input;
    if (!readAudioFile(options.input, input, error))
        return reportFailure(error);
    if (input.channelCount() < 1)
        return reportFailure(options.input + " has no channels");

    EffectSession::ParameterValues settings;
    auto session =
        openConfiguredSession(options.plugin, options.preset, options.settings, settings, error);
    if (!session)
        return reportFailure(error);
    std::vector<AutomationPoint> points;
    for (const Automation& automation : options.automations)
    {
        ParamID id = 0;
        if (!session->parameters().findParameter(automation.name, id, error))
            return reportFailure(error);
        for (const Automation::Point& point : automation.points)
        {
            ParamValue value = 0.0;
            if (!session->parameters().parseValue(id, point.value, value, error))
                return reportFailure(error);
            points.push_back({long(std::lround(point.seconds * input.sampleRate)), id, value});
        }
    }

    const int channels = input.channelCount();
    if (!session->start(channels, input.sampleRate, options.block, error))
        return reportFailure(error);
    session->apply(settings);
    if (!options.savePreset.empty() && !session->savePreset(options.savePreset, error))
        return reportFailure(error);

    const long frames = input.frames() + long(std::lround(options.tailSeconds * input.sampleRate));
    Audio output;
    const auto began = std::chrono::steady_clock::now();
    renderBlocks(*session, input, points, options.block, frames, output,
                 !options.quiet && isatty(STDERR_FILENO) && frames > input.sampleRate);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    session->stop();

    if (!writeAudioFile(options.output, output, error))
        return reportFailure(error);
    const double duration = double(frames) / input.sampleRate;
    std::printf("Rendered %s: %.2f s, %d channel%s at %d Hz, %.1fx real time\n",
                options.output.c_str(), duration, channels, channels == 1 ? "" : "s",
                input.sampleRate, seconds > 0.0 ? duration / seconds : 0.0);
    return 0;
}

} // namespace

const Command kRenderCommand = {
    "render",
    "  render IN OUT [options]   process an audio file (see brumvale render --help)\n",
    kHelp,
    [](const std::vector<std::string>& arguments) {
        return parseAndRun(arguments, parseOptions, render);
    },
};

} // namespace Brumvale
