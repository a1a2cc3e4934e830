// Where the tool is, and the plug-in its commands use unless given one.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace Brumvale {

// The folder of the running program, with its final slash ("" when unknown).
std::string toolFolder();
// The plug-in the commands use unless given one: Brumvale.vst3 beside the tool
// (a build tree), else <prefix>/lib/vst3/Brumvale.vst3 when the tool is
// <prefix>/bin/brumvale (an installed one), else the first for the messages.
std::string defaultBundle();

} // namespace Brumvale
