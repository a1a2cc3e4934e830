// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#pragma once

#include "pluginterfaces/vst/vsttypes.h"

namespace Brumvale {

constexpr int kDecibelTextSize = 32; // 31 characters and the terminator

// "18.0 dB": one decimal, a full stop, a minus sign even on -0.0. A value whose
// text would not fit is printed in exponent form, so the buffer never overflows.
void formatDecibels(char (&text)[kDecibelTextSize], float db);

// Reads the first number in the text (a comma counts as the decimal point; words
// before it and " dB" after it are skipped). False when the text holds none.
bool parseDecibels(const Steinberg::Vst::TChar* text, double& db);

// The 8-bit text widened into a parameter string.
void widenInto(const char* text, Steinberg::Vst::String128 string);

} // namespace Brumvale
