// Where the tool finds the plug-in on Linux: beside its own executable (a build
// tree) or in the lib/vst3 folder of the prefix it is installed in.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/effectsession.h"

#include <filesystem>
#include <system_error>

#include <unistd.h>

std::string Brumvale::toolFolder()
{
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length <= 0)
        return "";
    path[length] = '\0';
    std::string folder(path);
    folder.erase(folder.rfind('/') + 1);
    return folder;
}

std::string Brumvale::defaultBundle()
{
    const std::string tool = toolFolder();
    const std::string beside = tool + "Brumvale.vst3";
    const std::string installed = tool + "../lib/vst3/Brumvale.vst3";
    std::error_code ignored;
    if (!std::filesystem::exists(beside, ignored) && std::filesystem::exists(installed, ignored))
        return std::filesystem::path(installed).lexically_normal().string();
    return beside;
}
