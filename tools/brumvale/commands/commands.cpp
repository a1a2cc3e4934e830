// Options matched by name, their values handed to their takers, and the commands' messages.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/commands.h"

#include <cstdio>
#include <utility>

namespace Brumvale {

void OptionParser::value(const std::string& name, Take take)
{
    options.push_back({name, std::move(take), true});
}

void OptionParser::value(const std::string& name, std::string& into)
{
    value(name, [&into](const std::string& text, std::string&) {
        into = text;
        return true;
    });
}

void OptionParser::settings(std::vector<ParameterSetting>& into)
{
    value("--set", [&into](const std::string& text, std::string& error) {
        ParameterSetting setting;
        if (!parseSetting(text, setting, error))
            return false;
        into.push_back(setting);
        return true;
    });
}

void OptionParser::flag(const std::string& name, bool& into, bool value)
{
    options.push_back({name,
                       [&into, value](const std::string&, std::string&) {
                           into = value;
                           return true;
                       },
                       false});
}

bool OptionParser::parse(const std::vector<std::string>& arguments, std::vector<std::string>& rest,
                         std::string& error) const
{
    for (size_t i = 0; i < arguments.size(); ++i)
    {
        const std::string& argument = arguments[i];
        if (argument.size() < 2 || argument[0] != '-')
        {
            rest.push_back(argument);
            continue;
        }
        const Option* found = nullptr;
        for (const Option& option : options)
            if (option.name == argument)
                found = &option;
        if (!found)
        {
            error = "unknown option " + argument;
            return false;
        }
        if (!found->takesValue)
            found->take(argument, error);
        else if (i + 1 >= arguments.size())
        {
            error = argument + " needs a value";
            return false;
        }
        else if (!found->take(arguments[++i], error))
            return false;
    }
    return true;
}

int usageError(const std::string& message)
{
    std::fprintf(stderr, "brumvale: %s (brumvale --help explains)\n", message.c_str());
    return 2;
}

int reportFailure(const std::string& message)
{
    std::fprintf(stderr, "brumvale: %s\n", message.c_str());
    return 1;
}

} // namespace Brumvale
