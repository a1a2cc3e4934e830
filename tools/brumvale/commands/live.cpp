// brumvale live: the plug-in between JACK ports in real time.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commands/commands.h"
#include "session/effectsession.h"

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

struct LiveOptions
{
    std::string plugin;
    std::vector<ParameterSetting> settings;
    std::string preset;
    std::string savePreset;
    std::vector<std::string> inputs;  // JACK ports to take the input from
    std::vector<std::string> outputs; // JACK ports to send the output to
    std::string midi;                 // a JACK MIDI port to take controllers from
    int channels = 1;
    bool editor = true;
};

bool parseOptions(const std::vector<std::string>& arguments, LiveOptions& options,
                  std::string& error)
{
    const auto portsInto = [](std::vector<std::string>& ports) {
        return [&ports](const std::string& port, std::string&) {
            ports.push_back(port);
            return true;
        };
    };
    OptionParser parser;
    parser.flag("--no-editor", options.editor, false);
    parser.value("--in", portsInto(options.inputs));
    parser.value("--out", portsInto(options.outputs));
    parser.value("--midi", options.midi);
    parser.value("--plugin", options.plugin);
    parser.value("--preset", options.preset);
    parser.value("--save-preset", options.savePreset);
    parser.settings(options.settings);
    parser.value("--channels", [&](const std::string& count, std::string& reason) {
        if (count != "1" && count != "2")
        {
            reason = "--channels wants 1 or 2 (got '" + count + "')";
            return false;
        }
        options.channels = count[0] - '0';
        return true;
    });
    std::vector<std::string> rest;
    if (!parser.parse(arguments, rest, error))
        return false;
    if (!rest.empty())
        error = "live takes no argument " + rest[0];
    return rest.empty();
}

// Runs the plug-in between JACK ports until SIGINT or SIGTERM (status 0) or until
// the server goes away (status 1).
int live(const LiveOptions& options)
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

} // namespace

const Command kLiveCommand = {
    "live",
    "  live [options]            play through the plug-in in real time, between\n"
    "                            JACK ports (jackd, or PipeWire's pipewire-jack),\n"
    "                            with its editor in a window (closing it ends):\n"
    "                            --in PORT, --out PORT (default: the first capture\n"
    "                            port in, the first two playback ports out),\n"
    "                            --midi PORT (controllers 7 Volume, 12 Boost),\n"
    "                            --channels 1|2, --set NAME=VALUE, --preset FILE or\n"
    "                            NAME, --save-preset FILE (written at the end),\n"
    "                            --plugin PATH; --no-editor plays from the terminal\n"
    "                            instead (up/down Boost, right/left Volume, b Bypass,\n"
    "                            h HiFi, w Warmth, q ends); Ctrl-C ends\n",
    nullptr,
    [](const std::vector<std::string>& arguments) {
        return parseAndRun(arguments, parseOptions, live);
    },
};

} // namespace Brumvale
