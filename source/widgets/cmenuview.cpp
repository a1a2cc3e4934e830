// The pop-up menu's place in the frame, its drawing, and the click that chooses an item.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cmenuview.h"

#include "cframe.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {
namespace {

constexpr CColor kFill{20, 24, 30, 240};
constexpr CColor kEdge{120, 130, 145, 255};
constexpr CColor kText{235, 238, 242, 255};
constexpr CCoord kPadding = 2;
constexpr CCoord kTextIndent = 14;
constexpr CCoord kMarkSize = 4;

} // namespace

void CMenuView::popup(CFrame& frame, const CPoint& where, std::vector<Item> items,
                      std::function<void(int)> onChoose)
{
    if (items.empty())
        return;
    const CRect bounds = frame.getViewSize();
    const CCoord height = kItemHeight * CCoord(items.size()) + 2 * kPadding;
    const CCoord left = std::max(bounds.left, std::min(where.x, bounds.right - kWidth));
    const CCoord top = std::max(bounds.top, std::min(where.y, bounds.bottom - height));
    frame.setModalView(new CMenuView(CRect(left, top, left + kWidth, top + height),
                                     std::move(items), std::move(onChoose)));
}

CMenuView::CMenuView(const CRect& size, std::vector<Item> items, std::function<void(int)> onChoose)
    : CView(size), items(std::move(items)), onChoose(std::move(onChoose))
{}

int CMenuView::itemAt(const CPoint& where) const
{
    const CRect& size = getViewSize();
    if (!size.pointInside(where))
        return -1;
    const CCoord row = std::floor((where.y - size.top - kPadding) / kItemHeight);
    return row >= 0 && row < CCoord(items.size()) ? int(row) : -1;
}

void CMenuView::draw(CDrawContext& context)
{
    const CRect& size = getViewSize();
    context.fillRect(size, kEdge);
    context.fillRect(CRect(size.left + 1, size.top + 1, size.right - 1, size.bottom - 1), kFill);
    for (size_t i = 0; i < items.size(); ++i)
    {
        const CCoord top = size.top + kPadding + kItemHeight * CCoord(i);
        const CRect row(size.left + kTextIndent, top, size.right - kPadding, top + kItemHeight);
        if (items[i].checked)
        {
            const CCoord middle = top + kItemHeight / 2;
            const CCoord markLeft = size.left + (kTextIndent - kMarkSize) / 2;
            context.fillRect(CRect(markLeft, middle - kMarkSize / 2, markLeft + kMarkSize,
                                   middle + kMarkSize / 2),
                             kText);
        }
        context.drawString(items[i].title, row, kNormalFontSmaller, kText, kLeftText, true);
    }
}

CMouseEventResult CMenuView::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & (kLButton | kRButton)))
        return kMouseEventNotHandled;
    const int chosen = itemAt(where);
    // Closing destroys this view once the frame lets go of it: keep the callback.
    const std::function<void(int)> choose = onChoose;
    if (getFrame())
        getFrame()->setModalView(nullptr);
    if (chosen >= 0 && choose)
        choose(chosen);
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

} // namespace VSTGUI
