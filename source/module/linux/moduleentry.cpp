// The module's exported load and unload hooks on Linux. Hosts call ModuleEntry
// with the handle dlopen gave them before anything else, and ModuleExit last;
// InitDll and ExitDll are the older hooks, which need do nothing here.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/platform.h"

#include "pluginterfaces/base/fplatform.h"

#include <dlfcn.h>

#include <string>

extern "C" {

SMTG_EXPORT_SYMBOL bool ModuleEntry(void* sharedLibraryHandle)
{
    // The folder of the file this function lives in (the bundle's Contents/ folder for
    // the processor, such as x86_64-linux/): everything up to and including its last
    // separator.
    Dl_info info{};
    std::string folder;
    if (dladdr(reinterpret_cast<void*>(&ModuleEntry), &info) && info.dli_fname)
    {
        folder = info.dli_fname;
        folder.erase(folder.rfind('/') + 1);
    }
    // The bundle keeps the editor's images in Contents/Resources.
    VSTGUI::Platform::setResourceLocation(sharedLibraryHandle, folder + "../Resources/");
    return true;
}

SMTG_EXPORT_SYMBOL bool ModuleExit() { return true; }

SMTG_EXPORT_SYMBOL bool InitDll() { return true; }

SMTG_EXPORT_SYMBOL bool ExitDll() { return true; }

} // extern "C"
