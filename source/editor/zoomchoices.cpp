// The panel's own zoom menu: its items with the current choice checked, and the zoom picked.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "zoomchoices.h"

#include <iterator>

namespace Brumvale {

std::vector<VSTGUI::CMenuView::Item> zoomMenuItems(double currentChoice)
{
    std::vector<VSTGUI::CMenuView::Item> items;
    for (const ZoomChoice& choice : kZoomChoices)
        items.push_back({choice.title, choice.zoom == currentChoice});
    return items;
}

void popupZoomMenu(VSTGUI::CFrame& frame, const VSTGUI::CPoint& where, double currentChoice,
                   std::function<void(double)> choose)
{
    VSTGUI::CMenuView::popup(frame, where, zoomMenuItems(currentChoice),
                             [choose = std::move(choose)](int index) {
                                 if (index >= 0 && size_t(index) < std::size(kZoomChoices))
                                     choose(kZoomChoices[index].zoom);
                             });
}

} // namespace Brumvale
