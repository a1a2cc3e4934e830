// Parameters found by title or ID, values read as display text, by step or as "n:", and a summary.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/parametertexts.h"

#include "text.h"

#include "pluginterfaces/base/ustring.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace Brumvale {

bool splitAt(const std::string& text, char separator, std::string& left, std::string& right)
{
    const size_t at = text.find(separator);
    if (at == std::string::npos || at == 0 || at + 1 == text.size())
        return false;
    left = text.substr(0, at);
    right = text.substr(at + 1);
    return true;
}

bool parseSetting(const std::string& text, ParameterSetting& setting, std::string& error)
{
    if (splitAt(text, '=', setting.name, setting.value))
        return true;
    error = "--set wants NAME=VALUE (got '" + text + "')";
    return false;
}

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

bool ParameterTexts::findParameter(const std::string& name, ParamID& id, std::string& error) const
{
    const int32 count = controller.getParameterCount();
    char* end = nullptr;
    const unsigned long number = std::strtoul(name.c_str(), &end, 10);
    const bool numeric = !name.empty() && end && *end == '\0';
    for (int32 i = 0; i < count; ++i)
    {
        ParameterInfo info{};
        if (controller.getParameterInfo(i, info) != kResultOk)
            continue;
        if ((numeric && info.id == number) ||
            lowerCase(Host::toUtf8(info.title)) == lowerCase(name))
        {
            id = info.id;
            return true;
        }
    }
    error = "unknown parameter '" + name + "'";
    return false;
}

bool ParameterTexts::parseValue(ParamID id, const std::string& text, ParamValue& normalized,
                                std::string& error) const
{
    if (text.rfind("n:", 0) == 0)
    {
        char* end = nullptr;
        normalized = std::strtod(text.c_str() + 2, &end);
        if (end && *end == '\0' && end != text.c_str() + 2)
        {
            // Hosts send normalised values from 0 to 1 only (NaN fails here too).
            if (normalized >= 0.0 && normalized <= 1.0)
                return true;
            error = "a normalised value lies from 0 to 1, not '" + text + "'";
            return false;
        }
    }
    else
    {
        String128 wide{};
        UString(wide, 128).fromAscii(text.c_str());
        if (controller.getParamValueByString(id, wide, normalized) == kResultOk)
            return true;
        // Plug-ins often cannot read back the names of their own steps ("On"):
        // match the text against what each step shows.
        const int32 steps = stepCount(id);
        for (int32 step = 0; step <= steps && steps > 0; ++step)
            if (lowerCase(displayText(id, double(step) / steps)) == lowerCase(text))
            {
                normalized = double(step) / steps;
                return true;
            }
    }
    error = "the plug-in cannot read '" + text + "' as a value";
    return false;
}

int32 ParameterTexts::stepCount(ParamID id) const
{
    for (int32 i = 0; i < controller.getParameterCount(); ++i)
    {
        ParameterInfo info{};
        if (controller.getParameterInfo(i, info) == kResultOk && info.id == id)
            return info.stepCount;
    }
    return 0;
}

std::string ParameterTexts::displayText(ParamID id, ParamValue normalized) const
{
    String128 text{};
    if (controller.getParamStringByValue(id, normalized, text) != kResultOk)
        return "";
    return Host::toUtf8(text);
}

bool ParameterTexts::resolve(const std::vector<ParameterSetting>& settings, ParameterValues& values,
                             std::string& error) const
{
    for (const ParameterSetting& setting : settings)
    {
        ParamID id = 0;
        ParamValue value = 0.0;
        if (!findParameter(setting.name, id, error) || !parseValue(id, setting.value, value, error))
            return false;
        values.emplace_back(id, value);
    }
    return true;
}

std::string ParameterTexts::summary() const
{
    std::string line;
    const int32 count = controller.getParameterCount();
    for (int32 i = 0; i < count; ++i)
    {
        ParameterInfo info{};
        if (controller.getParameterInfo(i, info) != kResultOk)
            continue;
        if (!line.empty())
            line += "  ";
        line += Host::toUtf8(info.title) + " " +
                displayText(info.id, controller.getParamNormalized(info.id));
    }
    return line;
}

} // namespace Brumvale
