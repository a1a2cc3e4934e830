// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#include "cbitmap.h"

namespace VSTGUI {

CBitmap::CBitmap(const CResourceDescription& description)
    : platformBitmap(Platform::loadPng(description.name))
{}

} // namespace VSTGUI
