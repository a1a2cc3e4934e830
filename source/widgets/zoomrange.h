// The scales a panel is drawn at, and how its lengths become screen pixels.
// SPDX-License-Identifier: GPL-3.0-or-later
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

// Where a panel lies in its window: the zoom it is drawn at and its top-left corner
// (screen pixels).
struct PanelPlacement
{
    double zoom = kMinZoom;
    int left = 0;
    int top = 0;
};

// A panel of width x height panel pixels in a window of windowWidth x windowHeight
// screen pixels. At asked when the window is the panel at that zoom; else at the
// largest zoom in range that fits, in steps of 1/60 (180 x 240 then grows by whole
// 3 x 4 pixel blocks, so an integer scale stays exact), centred. A window smaller
// than the panel at kMinZoom shows the panel's top-left part.
inline PanelPlacement placePanel(double width, double height, double asked, int windowWidth,
                                 int windowHeight)
{
    constexpr double kSteps = 60.0;
    PanelPlacement placed{asked, 0, 0};
    if (zoomedLength(width, asked) == windowWidth && zoomedLength(height, asked) == windowHeight)
        return placed;
    const double fits = std::min(windowWidth / width, windowHeight / height);
    // The slack lets a quotient that lands just below a step take that step.
    placed.zoom = limitZoom(std::floor(fits * kSteps + 1e-9) / kSteps);
    placed.left = std::max(0, (windowWidth - zoomedLength(width, placed.zoom)) / 2);
    placed.top = std::max(0, (windowHeight - zoomedLength(height, placed.zoom)) / 2);
    return placed;
}

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
