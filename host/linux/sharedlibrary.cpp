// A Linux module's binary: the .so inside the bundle, dlopen, ModuleEntry and ModuleExit.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sharedlibrary.h"

#include <dlfcn.h>
#include <sys/stat.h>

namespace Brumvale::Host {

namespace {

using ModuleEntryFunc = bool (*)(void*);
using ModuleExitFunc = bool (*)();

bool isDirectory(const std::string& path)
{
    struct stat info = {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool exists(const std::string& path)
{
    struct stat info = {};
    return stat(path.c_str(), &info) == 0;
}

// "dir/X.vst3/" -> "X"
std::string bundleStem(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const auto slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::string suffix = ".vst3";
    if (name.size() > suffix.size() &&
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
        name.erase(name.size() - suffix.size());
    return name;
}

} // namespace

std::string SharedLibrary::binaryPath(const std::string& modulePath, std::string& error)
{
    if (!exists(modulePath))
    {
        error = "module not found: " + modulePath;
        return {};
    }
    const std::string stem = bundleStem(modulePath);
    const std::string folder = "Contents/" BRUMVALE_VST3_ARCHITECTURE "/";
    const std::string binary = modulePath + "/" + folder + stem + ".so";
    if (!isDirectory(modulePath) || !exists(binary))
    {
        error = "not a VST 3 bundle (no " + folder + stem + ".so): " + modulePath;
        return {};
    }
    return binary;
}

std::unique_ptr<SharedLibrary> SharedLibrary::open(const std::string& binaryPath,
                                                   std::string& error)
{
    std::unique_ptr<SharedLibrary> library(new SharedLibrary);
    library->handle = dlopen(binaryPath.c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (!library->handle)
    {
        const char* reason = dlerror();
        error = "cannot load " + binaryPath + ": " + (reason ? reason : "unknown dlopen error");
        return nullptr;
    }

    // ModuleEntry is optional for the loader but, when present, must succeed first.
    if (auto entry = reinterpret_cast<ModuleEntryFunc>(library->symbol("ModuleEntry")))
    {
        if (!entry(library->handle))
        {
            error = "ModuleEntry failed in " + binaryPath;
            return nullptr;
        }
        library->entered = true;
    }
    return library;
}

SharedLibrary::~SharedLibrary()
{
    if (entered)
    {
        if (auto exitFunc = reinterpret_cast<ModuleExitFunc>(symbol("ModuleExit")))
            exitFunc();
    }
    if (handle)
        dlclose(handle);
}

void* SharedLibrary::symbol(const char* name) const
{
    return handle ? dlsym(handle, name) : nullptr;
}

} // namespace Brumvale::Host
