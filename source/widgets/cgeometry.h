// Points and rectangles of the widget layer, in pixels from the top-left corner.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>

namespace VSTGUI {

using CCoord = double;

struct CPoint
{
    CPoint() = default;
    CPoint(CCoord x, CCoord y) : x(x), y(y) {}
    bool operator==(const CPoint& other) const { return x == other.x && y == other.y; }

    CCoord x = 0;
    CCoord y = 0;
};

// (left, top, right, bottom); right and bottom lie just outside.
struct CRect
{
    CRect() = default;
    CRect(CCoord left, CCoord top, CCoord right, CCoord bottom)
        : left(left), top(top), right(right), bottom(bottom)
    {}
    CRect(const CPoint& origin, const CPoint& size)
        : left(origin.x), top(origin.y), right(origin.x + size.x), bottom(origin.y + size.y)
    {}
    bool operator==(const CRect& other) const
    {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
    bool operator!=(const CRect& other) const { return !(*this == other); }

    CCoord getWidth() const { return right - left; }
    CCoord getHeight() const { return bottom - top; }
    CPoint getCenter() const { return {(left + right) / 2, (top + bottom) / 2}; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool pointInside(const CPoint& p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    bool rectOverlap(const CRect& other) const
    {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
    // The smallest rectangle holding both; an empty one adds nothing.
    CRect& unite(const CRect& other)
    {
        if (other.isEmpty())
            return *this;
        if (isEmpty())
            return *this = other;
        left = std::min(left, other.left);
        top = std::min(top, other.top);
        right = std::max(right, other.right);
        bottom = std::max(bottom, other.bottom);
        return *this;
    }
    CRect& bound(const CRect& other)
    {
        left = std::max(left, other.left);
        top = std::max(top, other.top);
        right = std::max(std::min(right, other.right), left);
        bottom = std::max(std::min(bottom, other.bottom), top);
        return *this;
    }

    CCoord left = 0;
    CCoord top = 0;
    CCoord right = 0;
    CCoord bottom = 0;
};

} // namespace VSTGUI
