// A Windows module's binary: the .vst3 DLL (alone or in a bundle), LoadLibraryW, InitDll, ExitDll.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sharedlibrary.h"

#include <pluginterfaces/base/fplatform.h>

#include <windows.h>

#include <algorithm>
#include <cctype>

namespace Brumvale::Host {

namespace {

using InitDllFunc = bool(PLUGIN_API*)();
using ExitDllFunc = bool(PLUGIN_API*)();

// Paths are UTF-8 in the host's API; Windows takes them as UTF-16, with backslashes.
std::wstring widePath(const std::string& path)
{
    std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, path.data(), int(path.size()), nullptr, 0),
                      L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.data(), int(path.size()), wide.data(), int(wide.size()));
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    return wide;
}

std::string narrow(const std::wstring& text)
{
    std::string utf8(WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                         nullptr, nullptr),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), utf8.data(), int(utf8.size()),
                        nullptr, nullptr);
    return utf8;
}

// INVALID_FILE_ATTRIBUTES when the path does not exist.
DWORD attributes(const std::string& path) { return GetFileAttributesW(widePath(path).c_str()); }

// "dir\X.vst3\" -> "X.vst3"
std::string fileName(std::string path)
{
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\'))
        path.pop_back();
    const auto separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

bool hasModuleSuffix(std::string name)
{
    // Windows file names ignore case.
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    const std::string suffix = ".vst3";
    return name.size() > suffix.size() &&
           name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string systemMessage(DWORD code)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text, length);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r'))
        message.pop_back();
    return narrow(message) + " (error " + std::to_string(code) + ")";
}

} // namespace

// A module is a DLL named X.vst3, or a bundle folder X.vst3 that holds it in
// Contents/<architecture>-win/.
std::string SharedLibrary::binaryPath(const std::string& modulePath, std::string& error)
{
    const DWORD found = attributes(modulePath);
    if (found == INVALID_FILE_ATTRIBUTES)
    {
        error = "module not found: " + modulePath;
        return {};
    }
    const std::string name = fileName(modulePath);
    if (!hasModuleSuffix(name))
    {
        error = "not a VST 3 module (its name must end in .vst3): " + modulePath;
        return {};
    }
    if (!(found & FILE_ATTRIBUTE_DIRECTORY))
        return modulePath;
#ifdef _WIN64
    const std::string inBundle = "Contents/x86_64-win/" + name;
#else
    const std::string inBundle = "Contents/x86-win/" + name;
#endif
    const std::string binary = modulePath + "/" + inBundle;
    if (attributes(binary) == INVALID_FILE_ATTRIBUTES)
    {
        error = "not a VST 3 bundle (no " + inBundle + "): " + modulePath;
        return {};
    }
    return binary;
}

std::unique_ptr<SharedLibrary> SharedLibrary::open(const std::string& binaryPath,
                                                   std::string& error)
{
    std::unique_ptr<SharedLibrary> library(new SharedLibrary);
    library->handle = LoadLibraryW(widePath(binaryPath).c_str());
    if (!library->handle)
    {
        error = "cannot load " + binaryPath + ": " + systemMessage(GetLastError());
        return nullptr;
    }

    // InitDll is optional for the loader but, when present, must succeed first.
    if (auto init = reinterpret_cast<InitDllFunc>(library->symbol("InitDll")))
    {
        if (!init())
        {
            error = "InitDll failed in " + binaryPath;
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
        if (auto exitDll = reinterpret_cast<ExitDllFunc>(symbol("ExitDll")))
            exitDll();
    }
    if (handle)
        FreeLibrary(static_cast<HMODULE>(handle));
}

void* SharedLibrary::symbol(const char* name) const
{
    return handle ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name))
                  : nullptr;
}

} // namespace Brumvale::Host
