#include "region.h"

namespace sim {

Region::Region(const Rect& rect)
{
    if (!rect.Empty())
        rects_.push_back(rect);
}

void Region::Unite(const Rect& rect)
{
    Region added(rect);
    for (const Rect& r : rects_)
        added.Subtract(r);
    rects_.insert(rects_.end(), added.rects_.begin(), added.rects_.end());
}

void Region::Subtract(const Rect& cut)
{
    std::vector<Rect> rest;
    for (const Rect& r : rects_) {
        Rect overlap = sim::Intersect(r, cut);
        if (overlap.Empty()) {
            rest.push_back(r);
            continue;
        }
        // The bands above and below the cut, then what is left and right of it.
        Rect pieces[] = {
            {r.left, r.top, r.right, overlap.top},
            {r.left, overlap.bottom, r.right, r.bottom},
            {r.left, overlap.top, overlap.left, overlap.bottom},
            {overlap.right, overlap.top, r.right, overlap.bottom},
        };
        for (const Rect& piece : pieces)
            if (!piece.Empty())
                rest.push_back(piece);
    }
    rects_ = std::move(rest);
}

void Region::Intersect(const Rect& rect)
{
    std::vector<Rect> kept;
    for (const Rect& r : rects_) {
        Rect overlap = sim::Intersect(r, rect);
        if (!overlap.Empty())
            kept.push_back(overlap);
    }
    rects_ = std::move(kept);
}

void Region::Intersect(const Region& other)
{
    std::vector<Rect> kept;
    for (const Rect& a : rects_)
        for (const Rect& b : other.rects_) {
            Rect overlap = sim::Intersect(a, b);
            if (!overlap.Empty())
                kept.push_back(overlap);
        }
    rects_ = std::move(kept);
}

void Region::Offset(int32_t dx, int32_t dy)
{
    for (Rect& r : rects_)
        r = r.Offset(dx, dy);
}

bool Region::Contains(Point point) const
{
    for (const Rect& r : rects_)
        if (r.Contains(point))
            return true;
    return false;
}

Rect Region::Bounds() const
{
    Rect bounds;
    for (const Rect& r : rects_)
        bounds = Union(bounds, r);
    return bounds;
}

}  // namespace sim
