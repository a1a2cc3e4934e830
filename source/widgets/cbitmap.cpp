// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#include "cbitmap.h"

namespace VSTGUI {
namespace {

// "knobImg1.png" at 2x is "knobImg1@2x.png".
std::string setName(const std::string& name, int factor)
{
    const size_t dot = name.rfind('.');
    const std::string suffix = "@" + std::to_string(factor) + "x";
    return dot == std::string::npos ? name + suffix
                                    : name.substr(0, dot) + suffix + name.substr(dot);
}

} // namespace

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
            auto loaded = Platform::loadPng(setName(name, factor).c_str());
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
