// Levels as the user reads and types them: "18.0 dB".
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbertext.h"

#include <cmath>
#include <limits>

namespace Brumvale {

constexpr int kDecibelTextSize = 32; // 31 characters and the terminator

// "18.0 dB": "%.1f" and the suffix, a full stop, a minus sign even on -0.0. A
// value whose text would not fit is printed in exponent form instead, so the
// buffer never overflows.
void formatDecibels(char (&text)[kDecibelTextSize], float db);

// The decibels of the first number in the text (readNumber); false when there is
// none or it lies beyond the float range (it would map to an infinite value).
template <class Unit> bool readDecibels(const Unit* text, float& db)
{
    double read = 0.0;
    if (!readNumber(text, read) || std::fabs(read) > std::numeric_limits<float>::max())
        return false;
    db = static_cast<float>(read);
    return true;
}

} // namespace Brumvale
