// The first number in a narrowed text, tried at each character in turn.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbertext.h"

#include <cmath>
#include <cstdio>

namespace Brumvale {

bool readNarrowNumber(char* narrow, int length, double& value)
{
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
