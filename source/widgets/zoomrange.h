// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
// The scales a panel is drawn at, and how its lengths become screen pixels.
#pragma once

#include <algorithm>
#include <cmath>

namespace VSTGUI {

// From one screen pixel per panel pixel to four (beyond any screen made today).
inline constexpr double kMinZoom = 1.0;
inline constexpr double kMaxZoom = 4.0;

// False for values outside the range, NaN and infinity.
inline bool isZoomInRange(double zoom) { return zoom >= kMinZoom && zoom <= kMaxZoom; }

// The nearest zoom in the range; 1 for NaN.
inline double limitZoom(double zoom)
{
    return std::isnan(zoom) ? kMinZoom : std::clamp(zoom, kMinZoom, kMaxZoom);
}

// The screen pixels a length of panel pixels takes at zoom, to the nearest one
// (180 at 1.5 is 270): a panel and its window agree on every size.
inline int zoomedLength(double length, double zoom) { return int(std::lround(length * zoom)); }

// Where a panel's zoom comes from: the user's choice, else the host's scale, else
// the screen's.
struct ZoomSources
{
    double user = 0.0; // 0: follow the host and the screen
    double host = 0.0; // 0 until the host sets one

    double chosen(double screenScale) const
    {
        return user != 0.0 ? user : host != 0.0 ? host : screenScale;
    }
};

} // namespace VSTGUI
