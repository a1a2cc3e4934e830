// Parsing brumvale render's arguments: --set, --automate points, --block, --tail and the files.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "renderoptions.h"

#include <algorithm>
#include <cstdlib>

namespace Brumvale {
namespace {

bool parseNumber(const std::string& text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == '\0';
}

bool splitAt(const std::string& text, char separator, std::string& left, std::string& right)
{
    const size_t at = text.find(separator);
    if (at == std::string::npos || at == 0 || at + 1 == text.size())
        return false;
    left = text.substr(0, at);
    right = text.substr(at + 1);
    return true;
}

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

} // namespace

bool parseSetting(const std::string& text, ParameterSetting& setting, std::string& error)
{
    if (splitAt(text, '=', setting.name, setting.value))
        return true;
    error = "--set wants NAME=VALUE (got '" + text + "')";
    return false;
}

bool parseRenderOptions(const std::vector<std::string>& arguments, RenderOptions& options,
                        std::string& error)
{
    std::vector<std::string> files;
    for (size_t i = 0; i < arguments.size(); ++i)
    {
        const std::string& argument = arguments[i];
        const auto value = [&](std::string& into) {
            if (i + 1 >= arguments.size())
            {
                error = argument + " needs a value";
                return false;
            }
            into = arguments[++i];
            return true;
        };
        std::string text;
        if (argument == "--plugin")
        {
            if (!value(options.plugin))
                return false;
        }
        else if (argument == "--preset")
        {
            if (!value(options.preset))
                return false;
        }
        else if (argument == "--save-preset")
        {
            if (!value(options.savePreset))
                return false;
        }
        else if (argument == "--set")
        {
            ParameterSetting setting;
            if (!value(text) || !parseSetting(text, setting, error))
                return false;
            options.settings.push_back(setting);
        }
        else if (argument == "--automate")
        {
            Automation automation;
            if (!value(text) || !parseAutomation(text, automation, error))
                return false;
            options.automations.push_back(automation);
        }
        else if (argument == "--block")
        {
            double block = 0.0;
            if (!value(text))
                return false;
            if (!parseNumber(text, block) || block < 1 || block > 65536 || block != int(block))
            {
                error = "--block wants a whole number of samples from 1 to 65536";
                return false;
            }
            options.block = int(block);
        }
        else if (argument == "--tail")
        {
            if (!value(text))
                return false;
            if (!parseNumber(text, options.tailSeconds) || options.tailSeconds < 0.0 ||
                options.tailSeconds > 3600.0)
            {
                error = "--tail wants seconds from 0 to 3600";
                return false;
            }
        }
        else if (argument == "--quiet" || argument == "-q")
        {
            options.quiet = true;
        }
        else if (argument.size() > 1 && argument[0] == '-')
        {
            error = "unknown option " + argument;
            return false;
        }
        else
        {
            files.push_back(argument);
        }
    }
    if (files.size() != 2)
    {
        error = "render wants an input and an output file";
        return false;
    }
    options.input = files[0];
    options.output = files[1];
    return true;
}

} // namespace Brumvale
