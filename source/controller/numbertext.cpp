// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#include "numbertext.h"

#include <cmath>
#include <cstdio>

namespace Brumvale {

bool readNumber(const Steinberg::Vst::TChar* text, double& value)
{
    if (!text)
        return false;
    char narrow[kLongestNumberText + 1];
    int length = 0;
    bool commaSeen = false;
    for (; text[length]; ++length)
    {
        if (length == kLongestNumberText)
            return false;
        const auto unit = static_cast<unsigned>(text[length]);
        char c = unit < 0x80 ? static_cast<char>(unit) : '_';
        if (c == ',' && !commaSeen)
        {
            c = '.';
            commaSeen = true;
        }
        narrow[length] = c;
    }
    narrow[length] = '\0';
    for (int at = 0; at < length; ++at)
    {
        double read = 0.0;
        if (std::sscanf(narrow + at, "%lf", &read) == 1)
        {
            if (!std::isfinite(read))
                return false;
            value = read;
            return true;
        }
    }
    return false;
}

} // namespace Brumvale
