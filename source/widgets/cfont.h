// Font descriptions of the widget layer and its predefined fonts.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cgeometry.h"

namespace VSTGUI {

// A face as fontconfig (or the Windows font mapper) resolves its name, at a size
// in pixels, regular style.
struct CFontDesc
{
    const char* name;
    CCoord size;
};

using CFontRef = const CFontDesc*;

inline constexpr CFontDesc kNormalFontVerySmallDesc{"Arial", 9};
inline constexpr CFontDesc kNormalFontSmallerDesc{"Arial", 10};
inline constexpr CFontRef kNormalFontVerySmall = &kNormalFontVerySmallDesc;
inline constexpr CFontRef kNormalFontSmaller = &kNormalFontSmallerDesc;

} // namespace VSTGUI
