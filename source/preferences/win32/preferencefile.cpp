// Preference files on Windows, under %APPDATA%.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/preferencefile.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace Brumvale {
namespace {

// The Brumvale folder; empty when %APPDATA% is not set. The process's own
// environment, not a C runtime's copy, which the host's changes may not reach.
std::wstring folder()
{
    wchar_t appData[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::wstring(appData, length) + L"\\Brumvale";
}

std::wstring pathOf(const std::wstring& base, const char* name)
{
    std::wstring path = base + L"\\";
    for (const char* character = name; *character; ++character)
        path += wchar_t(static_cast<unsigned char>(*character));
    return path;
}

} // namespace

std::optional<std::string> readPreferenceFile(const char* name)
{
    const std::wstring base = folder();
    if (base.empty() || !name)
        return std::nullopt;
    HANDLE file = CreateFileW(pathOf(base, name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::optional<std::string> text;
    LARGE_INTEGER size{};
    if (GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) &&
        size.QuadPart <= LONGLONG(kLargestPreferenceFile))
    {
        std::string content(size_t(size.QuadPart), '\0');
        DWORD read = 0;
        if (content.empty() ||
            (ReadFile(file, content.data(), DWORD(content.size()), &read, nullptr) &&
             read == content.size()))
            text = content;
    }
    CloseHandle(file);
    return text;
}

bool writePreferenceFile(const char* name, const std::string& text)
{
    const std::wstring base = folder();
    if (base.empty() || !name || text.size() > kLargestPreferenceFile)
        return false;
    if (!CreateDirectoryW(base.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    const std::wstring path = pathOf(base, name);
    const std::wstring partial = path + L".partial";
    HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool complete =
        text.empty() || (WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr) &&
                         written == text.size());
    if (!CloseHandle(file) || !complete ||
        !MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
    {
        DeleteFileW(partial.c_str());
        return false;
    }
    return true;
}

} // namespace Brumvale
