// GDI+ for the Windows backend: its headers in the order MinGW needs, and its
// start-up, held while anything of the backend lives.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// clang-format off
#include <objidl.h>
#include <gdiplus.h>
// clang-format on

namespace VSTGUI {

// GDI+ runs while at least one of these exists (it must not start or stop in
// DllMain, so it starts with the first image or window and stops with the last).
class GdiplusUser
{
public:
    GdiplusUser();
    ~GdiplusUser();
    GdiplusUser(const GdiplusUser&) = delete;
    GdiplusUser& operator=(const GdiplusUser&) = delete;
};

} // namespace VSTGUI
