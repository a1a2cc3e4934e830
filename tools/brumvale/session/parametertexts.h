// A controller's parameters as a user names them: by title or ID, with values given as text.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <string>
#include <utility>
#include <vector>

namespace Brumvale {

// A parameter a user sets: NAME=VALUE.
struct ParameterSetting
{
    std::string name;
    std::string value;
};

// Splits text at the first separator into two parts, neither empty; false otherwise.
bool splitAt(const std::string& text, char separator, std::string& left, std::string& right);
// Reads NAME=VALUE (neither part empty) into setting; false with a one-line
// reason otherwise.
bool parseSetting(const std::string& text, ParameterSetting& setting, std::string& error);

// The text with its ASCII letters in lower case, for names a user types in any case.
std::string lowerCase(std::string text);

// A controller's parameters as a user names them: by title (case-insensitive) or
// ID, with values given as the plug-in's own display text or as "n:" and a
// normalised value from 0 to 1.
class ParameterTexts
{
public:
    explicit ParameterTexts(Steinberg::Vst::IEditController& controller) : controller(controller) {}

    bool findParameter(const std::string& name, Steinberg::Vst::ParamID& id,
                       std::string& error) const;
    // "18 dB" through the plug-in's own parsing (or matched against what each step
    // of a stepped parameter shows), or "n:0.5".
    bool parseValue(Steinberg::Vst::ParamID id, const std::string& text,
                    Steinberg::Vst::ParamValue& normalized, std::string& error) const;
    std::string displayText(Steinberg::Vst::ParamID id,
                            Steinberg::Vst::ParamValue normalized) const;
    // Every parameter's title and current value as the plug-in shows it, in the
    // controller's order: "Bypass Off  AntiAlias On  ...".
    std::string summary() const;
    // Both of the above for a list of settings; stops at the first that fails.
    using ParameterValues =
        std::vector<std::pair<Steinberg::Vst::ParamID, Steinberg::Vst::ParamValue>>;
    bool resolve(const std::vector<ParameterSetting>& settings, ParameterValues& values,
                 std::string& error) const;

private:
    Steinberg::int32 stepCount(Steinberg::Vst::ParamID id) const;

    Steinberg::Vst::IEditController& controller;
};

} // namespace Brumvale
