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

}  // namespace sim
