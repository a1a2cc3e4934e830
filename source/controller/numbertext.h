// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
// Reading a number out of a parameter text typed by the user or sent by the host.
#pragma once

#include "pluginterfaces/vst/vsttypes.h"

namespace Brumvale {

// Texts longer than this many UTF-16 units are refused.
constexpr int kLongestNumberText = 127;

// Reads the first number in the text: the first comma counts as a decimal point,
// and a C "%lf" conversion is tried at the first character, then at each next one,
// so words before the number and a unit after it (" dB") are skipped. Characters
// outside ASCII never belong to a number and read as such, so any UTF-16 text is
// safe, a lone surrogate included. False, with the value untouched, for a null or
// over-long text, a text without a number, and a number that is not finite ("nan",
// "inf", "1e999"). Allocates nothing.
bool readNumber(const Steinberg::Vst::TChar* text, double& value);

} // namespace Brumvale
