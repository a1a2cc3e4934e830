// Finding a factory preset by name, in any case, and its .vstpreset file in the preset folders.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "presets/presetfolders.h"

#include "session/parametertexts.h"

#include <filesystem>

namespace Brumvale {

const FactoryPreset* findFactoryPreset(const std::string& name)
{
    for (const FactoryPreset& preset : kFactoryPresets)
        if (lowerCase(preset.name) == lowerCase(name))
            return &preset;
    return nullptr;
}

std::string factoryPresetFile(const FactoryPreset& preset)
{
    for (const std::string& folder : factoryPresetFolders())
    {
        const std::filesystem::path file =
            std::filesystem::path(folder) / (std::string(preset.name) + ".vstpreset");
        std::error_code unreadable;
        if (std::filesystem::is_regular_file(file, unreadable))
            return file.string();
    }
    return "";
}

} // namespace Brumvale
