// A small pop-up menu drawn by the widget layer, for hosts that offer none.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cview.h"

#include <functional>
#include <string>
#include <vector>

namespace VSTGUI {

// A column of items shown as the frame's modal view, its top-left corner at the
// point asked for but moved as far as needed to lie inside the frame. A left or
// right click on an item closes the menu and then calls onChoose with the item's
// index; a click anywhere else only closes it. UI thread only.
class CMenuView : public CView
{
public:
    struct Item
    {
        std::string title;
        bool checked = false;
    };

    static constexpr CCoord kItemHeight = 14;
    static constexpr CCoord kWidth = 108;

    // Shows the menu in the frame (replacing any modal view); nothing happens
    // without items.
    static void popup(CFrame& frame, const CPoint& where, std::vector<Item> items,
                      std::function<void(int)> onChoose);

    const std::vector<Item>& getItems() const { return items; }
    // The index of the item at the point, -1 for none.
    int itemAt(const CPoint& where) const;

    void draw(CDrawContext& context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;

private:
    CMenuView(const CRect& size, std::vector<Item> items, std::function<void(int)> onChoose);

    std::vector<Item> items;
    std::function<void(int)> onChoose;
};

} // namespace VSTGUI
