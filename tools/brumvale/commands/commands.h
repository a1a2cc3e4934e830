// The tool's commands, each in a file of its own with its options, help and work, and what
// they share: the one option parser and the messages a command ends with.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "session/parametertexts.h"

#include <functional>
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

// A command's options: ones followed by a value, flags, and what is left over
// (arguments that do not start with '-'; a lone "-" is one of them).
class OptionParser
{
public:
    // Takes an option's value; false with a one-line reason in error.
    using Take = std::function<bool(const std::string& value, std::string& error)>;

    void value(const std::string& name, Take take);
    void value(const std::string& name, std::string& into);
    // --set NAME=VALUE, as often as given.
    void settings(std::vector<ParameterSetting>& into);
    // An option without a value: sets into to the value given.
    void flag(const std::string& name, bool& into, bool value = true);

    // False, with a one-line reason, for an unknown option, an option without its
    // value or a value its taker refuses.
    bool parse(const std::vector<std::string>& arguments, std::vector<std::string>& rest,
               std::string& error) const;

private:
    struct Option
    {
        std::string name;
        Take take;
        bool takesValue; // false for a flag
    };
    std::vector<Option> options;
};

// Prints "brumvale: MESSAGE (brumvale --help explains)"; returns the usage status 2.
int usageError(const std::string& message);
// The arguments parsed into a command's options and its work done with them, or a
// usage error when they do not parse.
template <class Options>
int parseAndRun(const std::vector<std::string>& arguments,
                bool (*parse)(const std::vector<std::string>&, Options&, std::string&),
                int (*work)(const Options&))
{
    Options options;
    std::string error;
    return parse(arguments, options, error) ? work(options) : usageError(error);
}
// Prints "brumvale: MESSAGE" on standard error; returns the failure status 1.
int reportFailure(const std::string& message);

} // namespace Brumvale
