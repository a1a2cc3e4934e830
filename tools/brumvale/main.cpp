// brumvale: renders audio through the Brumvale plug-in (or any VST 3 effect) from
// the command line.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commands.h"
#include "common/classids.h"
#include "diagnosticfilter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const kUsage =
    "usage: brumvale COMMAND [options]\n"
    "\n"
    "Renders audio through the Brumvale octave fuzz, or any VST 3 effect.\n"
    "\n"
    "commands:\n"
    "  render IN OUT [options]   process an audio file (see brumvale render --help)\n"
    "  info [--plugin PATH]      what the plug-in registers: classes, busses, units,\n"
    "                            parameters with their values, MIDI controllers\n"
    "  demo [DIR]                render a synthesised riff clean, with Boost, HiFi,\n"
    "                            Warmth and bypassed into DIR (default: demo), with a\n"
    "                            picture of the spectra and a table of levels\n"
    "  screenshot OUT.png [--set NAME=VALUE ...] [--about] [--scale F]\n"
    "                            a picture of the plug-in's panel at those values\n"
    "                            (display text or n:value), with the about panel\n"
    "                            open if asked, at F screen pixels per panel pixel\n"
    "                            (1 to 4, default 1)\n"
    "  presets [--write DIR | --measure] [--plugin PATH]\n"
    "                            the factory presets: name, description, values and\n"
    "                            file (any --preset takes a name as well as a file);\n"
    "                            --write puts them into DIR, --measure renders the\n"
    "                            demo riff through each and prints the figures\n"
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
    "                            h HiFi, w Warmth, q ends); Ctrl-C ends\n"
    "  --help                    this text\n"
    "  --version                 brumvale's version, the plug-in's\n"
    "\n"
    "With --verbose anywhere on the line, the plug-in's own diagnostic lines\n"
    "(\"[Class] received: ...\") show on standard error too.\n";

const char* const kRenderUsage =
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

bool isHelp(const std::string& argument)
{
    return argument == "--help" || argument == "-h" || argument == "help";
}

int usageError(const std::string& message)
{
    std::fprintf(stderr, "brumvale: %s (brumvale --help explains)\n", message.c_str());
    return 2;
}

// A command whose arguments parse into its options; a usage error when they do not.
template <class Options>
int parsedCommand(const std::vector<std::string>& arguments,
                  bool (*parse)(const std::vector<std::string>&, Options&, std::string&),
                  int (*command)(const Options&))
{
    Options options;
    std::string error;
    if (!parse(arguments, options, error))
        return usageError(error);
    return command(options);
}

} // namespace

int Brumvale::reportFailure(const std::string& message)
{
    std::fprintf(stderr, "brumvale: %s\n", message.c_str());
    return 1;
}

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    const auto verbose = std::remove(arguments.begin(), arguments.end(), "--verbose");
    if (verbose == arguments.end())
        Brumvale::filterDiagnostics();
    arguments.erase(verbose, arguments.end());
    if (arguments.empty())
        return usageError("no command");
    const std::string& command = arguments[0];
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (isHelp(command))
    {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (command == "--version" && rest.empty())
    {
        std::printf("brumvale %s\n", Brumvale::kVersion);
        return 0;
    }
    if (command == "render")
    {
        if (!rest.empty() && isHelp(rest[0]))
        {
            std::fputs(kRenderUsage, stdout);
            return 0;
        }
        return parsedCommand(rest, Brumvale::parseRenderOptions, Brumvale::renderCommand);
    }
    if (command == "info")
    {
        if (rest.size() == 2 && rest[0] == "--plugin")
            return Brumvale::infoCommand(rest[1]);
        if (rest.empty())
            return Brumvale::infoCommand("");
        return usageError("info takes only --plugin PATH");
    }
    if (command == "demo")
    {
        if (rest.size() > 1)
            return usageError("demo takes at most a folder");
        return Brumvale::demoCommand(rest.empty() ? "demo" : rest[0], "");
    }
    if (command == "screenshot")
        return parsedCommand(rest, Brumvale::parseScreenshotOptions, Brumvale::screenshotCommand);
    if (command == "live")
        return parsedCommand(rest, Brumvale::parseLiveOptions, Brumvale::liveCommand);
    if (command == "presets")
        return parsedCommand(rest, Brumvale::parsePresetsOptions, Brumvale::presetsCommand);
    return usageError("unknown command '" + command + "'");
}
