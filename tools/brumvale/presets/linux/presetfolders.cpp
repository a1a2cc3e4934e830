// The factory presets' folders on Linux.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "presets/presetfolders.h"

#include "session/effectsession.h"

#include <cstdlib>
#include <filesystem>

namespace Brumvale {

std::vector<std::string> factoryPresetFolders()
{
    const std::filesystem::path tool = std::filesystem::path(toolFolder()).parent_path();
    const std::string below = "vst3/presets/Kelmarotte/Brumvale";
    std::vector<std::string> folders = {(tool / "presets").string(),
                                        (tool.parent_path() / "share" / below).string()};
    if (const char* home = std::getenv("HOME"); home && *home == '/')
        folders.push_back(std::string(home) + "/." + below);
    folders.push_back("/usr/local/share/" + below);
    folders.push_back("/usr/share/" + below);
    return folders;
}

} // namespace Brumvale
