// Colours of the widget layer.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace VSTGUI {

// Red, green, blue and alpha, 8 bits each; alpha 255 is opaque, 0 invisible.
struct CColor
{
    bool operator==(const CColor& other) const
    {
        return red == other.red && green == other.green && blue == other.blue &&
               alpha == other.alpha;
    }

    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 255;
};

} // namespace VSTGUI
