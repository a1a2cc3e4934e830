// brumvale live: the plug-in between JACK ports in real time.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commands.h"

#include "front/editorfront.h"
#include "front/terminalfront.h"
#include "jack/liverig.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

using namespace Steinberg;

namespace Brumvale {
namespace {

// Written by the signal handlers and JACK's shutdown callback, read by the main loop.
int wakeUp[2] = {-1, -1};

void wake(char why)
{
    const ssize_t ignored = write(wakeUp[1], &why, 1);
    (void)ignored;
}

void onSignal(int) { wake('s'); }

bool portOptions(const std::vector<std::string>& arguments, size_t& i,
                 std::vector<std::string>& ports)
{
    if (i + 1 >= arguments.size())
        return false;
    ports.push_back(arguments[++i]);
    return true;
}

} // namespace

bool parseLiveOptions(const std::vector<std::string>& arguments, LiveOptions& options,
                      std::string& error)
{
    for (size_t i = 0; i < arguments.size(); ++i)
    {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--no-editor")
            options.editor = false;
        else if (argument == "--in" && portOptions(arguments, i, options.inputs))
            continue;
        else if (argument == "--out" && portOptions(arguments, i, options.outputs))
            continue;
        else if (argument == "--midi" && hasValue)
            options.midi = arguments[++i];
        else if (argument == "--plugin" && hasValue)
            options.plugin = arguments[++i];
        else if (argument == "--preset" && hasValue)
            options.preset = arguments[++i];
        else if (argument == "--save-preset" && hasValue)
            options.savePreset = arguments[++i];
        else if (argument == "--channels" && hasValue)
        {
            const std::string& count = arguments[++i];
            if (count != "1" && count != "2")
            {
                error = "--channels wants 1 or 2 (got '" + count + "')";
                return false;
            }
            options.channels = count[0] - '0';
        }
        else if (argument == "--set" && hasValue)
        {
            ParameterSetting setting;
            if (!parseSetting(arguments[++i], setting, error))
                return false;
            options.settings.push_back(setting);
        }
        else
        {
            error = argument.size() > 1 && argument[0] == '-' && !hasValue
                        ? argument + " needs a value"
                        : "live takes no argument " + argument;
            return false;
        }
    }
    return true;
}

int liveCommand(const LiveOptions& options)
{
    std::string error;
    EffectSession::ParameterValues settings;
    auto session =
        openConfiguredSession(options.plugin, options.preset, options.settings, settings, error);
    if (!session)
        return reportFailure(error);

    if (pipe(wakeUp) != 0)
        return reportFailure(std::string("no pipe: ") + std::strerror(errno));
    const auto restart = [&](double rate, std::uint32_t frames, std::string& reason) {
        session->stop();
        if (!session->start(options.channels, rate, int(frames), reason))
            return false;
        session->apply(settings);
        settings.clear(); // once: later set-ups keep what the plug-in holds
        return true;
    };
    auto rig = LiveRig::open(
        session->instance(), options.channels, restart,
        [](JackHost::Notice notice) { wake(notice == JackHost::Notice::serverGone ? 'j' : 'f'); },
        error);
    if (!rig)
        return reportFailure(error);
    // The window (or the terminal) before the sound, so that a missing display
    // stops the program before it plays.
    std::unique_ptr<LiveFront> front;
    std::string keysHelp;
    if (options.editor)
    {
        front = EditorFront::open(session->instance(), rig->edits(), error);
        if (!front)
            return reportFailure(error);
    }
    else
    {
        auto terminal =
            std::make_unique<TerminalFront>(*session->instance().controller(), rig->edits());
        if (terminal->readsKeys())
            keysHelp = "keys: " + terminal->help() + "; ";
        front = std::move(terminal);
    }

    if (!rig->start(error))
        return reportFailure(error);
    JackHost* jack = &rig->jack();
    if (!options.midi.empty() && !jack->connect("midi_in", options.midi, error))
        return reportFailure(error);

    // By default the first capture ports in, our output to the first two playback
    // ports (a mono plug-in's one output to both).
    std::vector<std::string> inputs = options.inputs, outputs = options.outputs;
    const auto capture = jack->physicalPorts(true), playback = jack->physicalPorts(false);
    if (inputs.empty())
        inputs.assign(capture.begin(),
                      capture.begin() + std::min<size_t>(capture.size(), options.channels));
    if (outputs.empty())
        outputs.assign(playback.begin(), playback.begin() + std::min<size_t>(playback.size(), 2));
    for (size_t i = 0; i < inputs.size(); ++i)
        if (!jack->connect("in_" + std::to_string(i % options.channels + 1), inputs[i], error))
            return reportFailure(error);
    for (size_t i = 0; i < outputs.size(); ++i)
        if (!jack->connect("out_" + std::to_string(i % options.channels + 1), outputs[i], error))
            return reportFailure(error);

    struct sigaction action
    {};
    action.sa_handler = onSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::printf("brumvale live: %.0f Hz, %u frames, %.1f ms round trip; %sCtrl-C ends\n",
                jack->sampleRate(), jack->bufferSize(), jack->roundTripMilliseconds(),
                keysHelp.c_str());
    std::fflush(stdout);

    const bool showStatus = isatty(STDOUT_FILENO);
    char why = 0;
    for (;;)
    {
        const LiveFront::Turn turn = front->serve(wakeUp[0], 100);
        if (turn == LiveFront::Turn::quit)
            break;
        if (turn == LiveFront::Turn::woken && read(wakeUp[0], &why, 1) == 1)
        {
            if (why != 'f')
                break;
            if (!rig->followFormat(error))
                return reportFailure(error);
        }
        rig->deliverToController();
        if (showStatus)
        {
            // The line is rewritten in place; ESC [ K clears what a longer one left.
            std::printf("\r%s  |  %.0f Hz  %u frames  %.1f ms  DSP %.1f %%  xruns %llu\033[K",
                        session->parameters().summary().c_str(), jack->sampleRate(),
                        jack->bufferSize(), jack->roundTripMilliseconds(), jack->dspLoad(),
                        static_cast<unsigned long long>(jack->xruns()));
            std::fflush(stdout);
        }
    }
    if (showStatus)
        std::printf("\n");
    front.reset();
    const bool serverGone = why == 'j';
    rig.reset();
    session->stop();
    if (serverGone)
        return reportFailure("the JACK server went away");
    if (!options.savePreset.empty() && !session->savePreset(options.savePreset, error))
        return reportFailure(error);
    return 0;
}

} // namespace Brumvale
