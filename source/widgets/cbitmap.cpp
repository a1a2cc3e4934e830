// Loading a bitmap's PNG and, once a drawing scale asks for them, its denser sets.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cbitmap.h"

#include "bitmapsetname.h"

namespace VSTGUI {

CBitmap::CBitmap(const CResourceDescription& description)
    : name(description.name ? description.name : ""),
      platformBitmap(Platform::loadPng(description.name))
{}

CBitmap::Resolution CBitmap::forScale(double scale)
{
    Resolution best{platformBitmap.get(), 1};
    if (!platformBitmap)
        return best;
    for (int factor = 2; factor <= kDensestSet && best.factor < scale; ++factor)
    {
        const size_t index = size_t(factor - 2);
        if (!tried[index])
        {
            tried[index] = true;
            auto loaded = Platform::loadPng(bitmapSetName(name, factor).c_str());
            if (loaded && loaded->getWidth() == factor * platformBitmap->getWidth() &&
                loaded->getHeight() == factor * platformBitmap->getHeight())
                denser[index] = std::move(loaded);
        }
        if (denser[index])
            best = {denser[index].get(), factor};
    }
    return best;
}

} // namespace VSTGUI
