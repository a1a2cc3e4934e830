// Texts between the controller (UTF-16 String128) and the value fields (UTF-8).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pluginterfaces/vst/vsttypes.h"

#include <string>

namespace Brumvale {

// At most this many characters pass either way.
constexpr int kFieldTextLength = 127;

// The first 127 UTF-16 units of the controller's text, as UTF-8 (a lone surrogate
// becomes U+FFFD).
std::string toFieldText(const Steinberg::Vst::TChar* text);

// The first 127 UTF-16 units of a field's UTF-8 text, terminated; false when the
// text is not valid UTF-8.
bool toString128(const std::string& text, Steinberg::Vst::String128 out);

} // namespace Brumvale
