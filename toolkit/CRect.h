// A rectangle of the toolkit's coordinate space: left and top inside,
// right and bottom just outside (a 60-pixel-wide rectangle at 19 spans
// 19 to 79).
#pragma once

#include "CPoint.h"

namespace VSTGUI {

struct CRect {
    CCoord left = 0;
    CCoord top = 0;
    CCoord right = 0;
    CCoord bottom = 0;

    CRect() = default;
    CRect(CCoord l, CCoord t, CCoord r, CCoord b) : left(l), top(t), right(r), bottom(b) {}
    // Built from an origin and a size (width, height).
    CRect(const CPoint& origin, const CPoint& size)
        : left(origin.x), top(origin.y), right(origin.x + size.x), bottom(origin.y + size.y) {}

    CCoord getWidth() const { return right - left; }
    CCoord getHeight() const { return bottom - top; }
    CRect& setWidth(CCoord width);
    CRect& setHeight(CCoord height);
    CPoint getTopLeft() const { return CPoint(left, top); }
    CPoint getSize() const { return CPoint(getWidth(), getHeight()); }
    CPoint getCenter() const { return CPoint(left + getWidth() / 2, top + getHeight() / 2); }

    CRect& offset(CCoord dx, CCoord dy);
    CRect& moveTo(CCoord x, CCoord y);
    CRect& inset(CCoord dx, CCoord dy);
    // Limits this rectangle to its intersection with other (empty when apart).
    CRect& bound(const CRect& other);
    // Grows this rectangle to cover other too; an empty rectangle adds nothing.
    CRect& unite(const CRect& other);

    bool isEmpty() const { return right <= left || bottom <= top; }
    // Left and top edges inside, right and bottom edges outside.
    bool pointInside(const CPoint& where) const;
    bool rectOverlap(const CRect& other) const;

    bool operator==(const CRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const CRect& o) const { return !(*this == o); }
};

}  // namespace VSTGUI
