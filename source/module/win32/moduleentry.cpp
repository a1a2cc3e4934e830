// The module's entry point and exported load and unload hooks on Windows. Windows
// calls DllMain when it loads the library: the instance handle is kept (the editor
// loads its images from the module's resources through it) with the module's
// folder. InitDll and ExitDll are the hosts' hooks, which need do nothing here.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/platform.h"

#include "pluginterfaces/base/fplatform.h"

#include <windows.h>

#include <cwchar>

namespace {

HINSTANCE instanceHandle = nullptr;
wchar_t moduleFolder[MAX_PATH] = {};

} // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    instanceHandle = instance;
    // The folder, with its trailing backslash; a path without one stays whole.
    GetModuleFileNameW(instance, moduleFolder, MAX_PATH);
    if (wchar_t* separator = std::wcsrchr(moduleFolder, L'\\'))
        separator[1] = L'\0';
    VSTGUI::Platform::setResourceLocation(instanceHandle, std::string());
    return TRUE;
}

SMTG_EXPORT_SYMBOL bool InitDll() { return true; }

SMTG_EXPORT_SYMBOL bool ExitDll() { return true; }

} // extern "C"
