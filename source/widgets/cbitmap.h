// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
// Bitmaps of the widget layer, loaded from the module's PNG resources.
#pragma once

#include "cbaseobject.h"
#include "platform.h"

#include <memory>

namespace VSTGUI {

// Names an image among the module's resources ("background.png").
struct CResourceDescription
{
    CResourceDescription(const char* name) : name(name) {}
    const char* name;
};

// A PNG image. One that cannot be loaded is empty (0 x 0) and draws nothing.
class CBitmap : public CBaseObject
{
public:
    explicit CBitmap(const CResourceDescription& description);

    CCoord getWidth() const { return platformBitmap ? platformBitmap->getWidth() : 0; }
    CCoord getHeight() const { return platformBitmap ? platformBitmap->getHeight() : 0; }
    bool isLoaded() const { return platformBitmap != nullptr; }
    IPlatformBitmap* getPlatformBitmap() const { return platformBitmap.get(); }

private:
    std::unique_ptr<IPlatformBitmap> platformBitmap;
};

} // namespace VSTGUI
