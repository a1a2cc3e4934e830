// How an image's denser sets are named, for the editor and the artwork generator.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace VSTGUI {

// "knobImg1.png" at 2 is "knobImg1@2x.png"; at 1 the name itself.
inline std::string bitmapSetName(const std::string& name, int factor)
{
    if (factor == 1)
        return name;
    const size_t dot = name.rfind('.');
    const std::string suffix = "@" + std::to_string(factor) + "x";
    return dot == std::string::npos ? name + suffix
                                    : name.substr(0, dot) + suffix + name.substr(dot);
}

} // namespace VSTGUI
