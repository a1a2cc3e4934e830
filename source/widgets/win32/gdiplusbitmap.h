// A decoded image as a GDI+ bitmap.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gdiplus.h"
#include "widgets/platform.h"

#include <memory>

namespace VSTGUI {

class GdiplusBitmap : public IPlatformBitmap
{
public:
    explicit GdiplusBitmap(std::unique_ptr<Gdiplus::Bitmap> bitmap) : bitmap(std::move(bitmap)) {}

    int getWidth() const override { return int(bitmap->GetWidth()); }
    int getHeight() const override { return int(bitmap->GetHeight()); }
    Gdiplus::Bitmap& get() const { return *bitmap; }

private:
    GdiplusUser user; // declared first: GDI+ outlives the bitmap
    std::unique_ptr<Gdiplus::Bitmap> bitmap;
};

} // namespace VSTGUI
