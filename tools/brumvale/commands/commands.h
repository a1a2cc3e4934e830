// The tool's commands: each in a file of its own with its options, help and work.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace Brumvale {

struct Command
{
    const char* name;
    // Its lines in brumvale --help.
    const char* summary;
    // What brumvale NAME --help prints; null when the summary says it all.
    const char* help;
    // Parses the arguments after the name and does the work: 0 on success, 1 when
    // the work failed, 2 when the arguments do not parse (each after a one-line
    // message on standard error).
    int (*run)(const std::vector<std::string>& arguments);
};

extern const Command kRenderCommand;
extern const Command kInfoCommand;
extern const Command kDemoCommand;
extern const Command kScreenshotCommand;
extern const Command kPresetsCommand;
extern const Command kLiveCommand;

} // namespace Brumvale
