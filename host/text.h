// A plug-in's UTF-16 texts, such as names and parameter values, as UTF-8.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <pluginterfaces/vst/vsttypes.h>

#include <string>

namespace Brumvale::Host {

// A plug-in's UTF-16 text as UTF-8 (characters outside the basic plane become '?').
std::string toUtf8(const Steinberg::Vst::TChar* text);

} // namespace Brumvale::Host
