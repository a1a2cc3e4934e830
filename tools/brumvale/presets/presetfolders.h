// Where the factory presets are installed, and finding one by name.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "presets/factorypresets.h"

#include <string>
#include <vector>

namespace Brumvale {

// The folders that may hold the factory presets, in the order they are searched:
// beside the tool (the build's presets folder, or the installed prefix's
// share/vst3/presets/Kelmarotte/Brumvale), the user's ~/.vst3/presets/Kelmarotte/
// Brumvale, then /usr/local/share/vst3/presets/... and /usr/share/vst3/presets/....
std::vector<std::string> factoryPresetFolders();

// The table's preset of that name (letter case aside), or null.
const FactoryPreset* findFactoryPreset(const std::string& name);

// The first file of the preset's name in the folders; "" when none holds it.
std::string factoryPresetFile(const FactoryPreset& preset);

} // namespace Brumvale
