// The zoom choices the panel's menu offers, in every plug-in format.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/cmenuview.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace Brumvale {

// One choice: its title, the zoom it sets (0: follow the host and the screen)
// and its tag in a host's menu.
struct ZoomChoice
{
    const char* title;
    double zoom;
    int32_t tag;
};

inline constexpr ZoomChoice kZoomChoices[] = {{"100 %", 1.0, 100},
                                              {"125 %", 1.25, 125},
                                              {"150 %", 1.5, 150},
                                              {"200 %", 2.0, 200},
                                              {"Follow the screen", 0.0, 1}};

// The choices as the panel's own menu shows them, the current one checked.
std::vector<VSTGUI::CMenuView::Item> zoomMenuItems(double currentChoice);

// Opens the panel's own zoom menu at the point (panel pixels) of the frame;
// choose gets the zoom of the item picked.
void popupZoomMenu(VSTGUI::CFrame& frame, const VSTGUI::CPoint& where, double currentChoice,
                   std::function<void(double)> choose);

} // namespace Brumvale
