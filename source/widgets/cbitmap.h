// Bitmaps of the widget layer, loaded from the module's PNG resources.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cbaseobject.h"
#include "platform.h"

#include <array>
#include <memory>
#include <string>

namespace VSTGUI {

// Names an image among the module's resources ("background.png").
struct CResourceDescription
{
    CResourceDescription(const char* name) : name(name) {}
    const char* name;
};

// A PNG image, in panel pixels, with the sets drawn for denser screens beside it
// ("background@2x.png", "background@3x.png": the same picture at two and three
// times as many pixels each way). An image whose 1x set cannot be loaded is empty
// (0 x 0) and draws nothing. The denser sets are loaded on first use. UI thread
// only.
class CBitmap : public CBaseObject
{
public:
    explicit CBitmap(const CResourceDescription& description);

    CCoord getWidth() const { return platformBitmap ? platformBitmap->getWidth() : 0; }
    CCoord getHeight() const { return platformBitmap ? platformBitmap->getHeight() : 0; }
    bool isLoaded() const { return platformBitmap != nullptr; }
    IPlatformBitmap* getPlatformBitmap() const { return platformBitmap.get(); }

    // One set of the image and how many of its pixels make one panel pixel.
    struct Resolution
    {
        IPlatformBitmap* bitmap = nullptr;
        int factor = 1;
    };
    // The smallest set at least as dense as scale (screen pixels per panel pixel),
    // else the densest there is; a set that does not match the 1x size exactly
    // counts as missing.
    Resolution forScale(double scale);

    static constexpr int kDensestSet = 3;

private:
    std::string name;
    std::unique_ptr<IPlatformBitmap> platformBitmap;
    // Index factor - 2; tried once each.
    std::array<std::unique_ptr<IPlatformBitmap>, kDensestSet - 1> denser;
    std::array<bool, kDensestSet - 1> tried{};
};

} // namespace VSTGUI
