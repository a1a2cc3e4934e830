// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
// Where the tool finds the plug-in on Linux: beside its own executable.
#include "commands.h"

#include <unistd.h>

std::string Brumvale::bundleBesideTool()
{
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length <= 0)
        return "Brumvale.vst3";
    path[length] = '\0';
    std::string folder(path);
    folder.erase(folder.rfind('/') + 1);
    return folder + "Brumvale.vst3";
}
