// The options of brumvale render: settings, automation, block size, tail and the two files.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace Brumvale {

// A parameter set for the whole render: NAME=VALUE.
struct ParameterSetting
{
    std::string name;
    std::string value;
};

// Reads NAME=VALUE (neither part empty) into setting; false with a one-line
// reason otherwise.
bool parseSetting(const std::string& text, ParameterSetting& setting, std::string& error);

// A parameter moved during the render: NAME=TIME:VALUE,TIME:VALUE,...
struct Automation
{
    struct Point
    {
        double seconds;
        std::string value;
    };
    std::string name;
    std::vector<Point> points;
};

struct RenderOptions
{
    std::string input;
    std::string output;
    std::string plugin; // empty: the bundle beside the tool
    std::string preset;
    std::string savePreset;
    std::vector<ParameterSetting> settings;
    std::vector<Automation> automations;
    int block = 512;
    double tailSeconds = 0.0;
    bool quiet = false;
};

// Parses the arguments after "render". False with a one-line reason on error.
bool parseRenderOptions(const std::vector<std::string>& arguments, RenderOptions& options,
                        std::string& error);

} // namespace Brumvale
