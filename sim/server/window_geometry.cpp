#include "window_geometry.h"

#include <algorithm>

namespace sim {

bool Rect::Contains(const Rect& inner) const
{
    return !inner.Empty() && inner.left >= left && inner.top >= top && inner.right <= right &&
           inner.bottom <= bottom;
}

Rect Intersect(const Rect& a, const Rect& b)
{
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    return r.Empty() ? Rect() : r;
}

Rect Union(const Rect& a, const Rect& b)
{
    if (a.Empty())
        return b.Empty() ? Rect() : b;
    if (b.Empty())
        return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

Rect Subtract(const Rect& a, const Rect& b)
{
    Rect overlap = Intersect(a, b);
    if (overlap.Empty())
        return a.Empty() ? Rect() : a;
    if (overlap == a)
        return Rect();
    bool fullWidth = overlap.left == a.left && overlap.right == a.right;
    bool fullHeight = overlap.top == a.top && overlap.bottom == a.bottom;
    Rect rest = a;
    if (fullWidth && overlap.top == a.top)
        rest.top = overlap.bottom;
    else if (fullWidth && overlap.bottom == a.bottom)
        rest.bottom = overlap.top;
    else if (fullHeight && overlap.left == a.left)
        rest.left = overlap.right;
    else if (fullHeight && overlap.right == a.right)
        rest.right = overlap.left;
    return rest;
}

void UpdateArea::Add(const Rect& area, bool erase)
{
    if (area.Empty())
        return;
    bounds_ = Union(bounds_, area);
    erase_ = erase_ || erase;
}

void UpdateArea::Remove(const Rect& area)
{
    bounds_ = Subtract(bounds_, area);
    if (bounds_.Empty())
        erase_ = false;
}

void UpdateArea::ClipTo(const Rect& client)
{
    bounds_ = Intersect(bounds_, client);
    if (bounds_.Empty())
        erase_ = false;
}

}  // namespace sim
