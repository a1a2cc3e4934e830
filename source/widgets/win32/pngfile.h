// Writing a GDI+ image as a PNG file, for the Windows backend and the host's screenshots.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gdiplus.h"

#include <string>
#include <vector>

namespace VSTGUI {

// The image as a PNG file at a UTF-8 path (GDI+ takes UTF-16 ones); false when it
// cannot be written. GDI+ must be running.
inline bool savePng(Gdiplus::Image& image, const std::string& utf8Path)
{
    UINT count = 0, bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0)
        return false;
    std::vector<char> storage(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(storage.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok)
        return false;
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8Path.c_str(), -1, nullptr, 0);
    std::wstring wide(size_t(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8Path.c_str(), -1, wide.data(), length);
    for (UINT i = 0; i < count; ++i)
        if (std::wstring(codecs[i].MimeType) == L"image/png")
            return image.Save(wide.c_str(), &codecs[i].Clsid, nullptr) == Gdiplus::Ok;
    return false;
}

} // namespace VSTGUI
