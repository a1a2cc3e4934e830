// Levels printed as "18.0 dB", in exponent form when that would not fit.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "decibeltext.h"

#include <cstdio>

namespace Brumvale {

void formatDecibels(char (&text)[kDecibelTextSize], float db)
{
    const int length = std::snprintf(text, kDecibelTextSize, "%.1f dB", double(db));
    if (length < 0 || length >= kDecibelTextSize)
        std::snprintf(text, kDecibelTextSize, "%.6g dB", double(db));
}

} // namespace Brumvale
