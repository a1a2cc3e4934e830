// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
// The module's exported load and unload hooks. Linux hosts call ModuleEntry with
// the handle dlopen gave them before anything else, and ModuleExit last;
// InitDll and ExitDll are the older hooks, which need do nothing here.

#include "moduleentry.h"

#include "widgets/platform.h"

#include "pluginterfaces/base/fplatform.h"

#include <dlfcn.h>

namespace Brumvale {
namespace {

void* handle = nullptr;
std::string directory;

} // namespace

void* moduleHandle() { return handle; }

const std::string& moduleDirectory() { return directory; }

} // namespace Brumvale

extern "C" {

SMTG_EXPORT_SYMBOL bool ModuleEntry(void* sharedLibraryHandle)
{
    Brumvale::handle = sharedLibraryHandle;
    // The path of the file this function lives in; the folder is everything up
    // to and including its last separator (a path without one stays whole).
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ModuleEntry), &info) && info.dli_fname)
    {
        Brumvale::directory = info.dli_fname;
        const size_t separator = Brumvale::directory.rfind('/');
        if (separator != std::string::npos)
            Brumvale::directory.erase(separator + 1);
    }
    // The bundle keeps the editor's images in Contents/Resources.
    VSTGUI::Platform::setResourceLocation(sharedLibraryHandle,
                                          Brumvale::directory + "../Resources/");
    return true;
}

SMTG_EXPORT_SYMBOL bool ModuleExit() { return true; }

SMTG_EXPORT_SYMBOL bool InitDll() { return true; }

SMTG_EXPORT_SYMBOL bool ExitDll() { return true; }

} // extern "C"
