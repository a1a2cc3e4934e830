// brumvale: renders audio through the Brumvale plug-in (or any VST 3 effect) from
// the command line; this file picks the command.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commands/commands.h"
#include "common/classids.h"
#include "session/diagnosticfilter.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Brumvale::Command;

const Command* const kCommands[] = {
    &Brumvale::kRenderCommand,     &Brumvale::kInfoCommand,    &Brumvale::kDemoCommand,
    &Brumvale::kScreenshotCommand, &Brumvale::kPresetsCommand, &Brumvale::kLiveCommand,
};

void printUsage()
{
    std::fputs("usage: brumvale COMMAND [options]\n"
               "\n"
               "Renders audio through the Brumvale octave fuzz, or any VST 3 effect.\n"
               "\n"
               "commands:\n",
               stdout);
    for (const Command* command : kCommands)
        std::fputs(command->summary, stdout);
    std::fputs("  --help                    this text\n"
               "  --version                 brumvale's version, the plug-in's\n"
               "\n"
               "With --verbose anywhere on the line, the plug-in's own diagnostic lines\n"
               "(\"[Class] received: ...\") show on standard error too.\n",
               stdout);
}

bool isHelp(const std::string& argument)
{
    return argument == "--help" || argument == "-h" || argument == "help";
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    const auto verbose = std::remove(arguments.begin(), arguments.end(), "--verbose");
    if (verbose == arguments.end())
        Brumvale::filterDiagnostics();
    arguments.erase(verbose, arguments.end());
    if (arguments.empty())
        return Brumvale::usageError("no command");
    const std::string& name = arguments[0];
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (isHelp(name))
    {
        printUsage();
        return 0;
    }
    if (name == "--version" && rest.empty())
    {
        std::printf("brumvale %s\n", Brumvale::kVersion);
        return 0;
    }
    for (const Command* command : kCommands)
        if (name == command->name)
        {
            if (command->help && !rest.empty() && isHelp(rest[0]))
            {
                std::fputs(command->help, stdout);
                return 0;
            }
            return command->run(rest);
        }
    return Brumvale::usageError("unknown command '" + name + "'");
}
