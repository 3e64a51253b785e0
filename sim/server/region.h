// A set of pixels kept as disjoint rectangles: a window's visible part, a
// device context's clip.
#pragma once

#include <vector>

#include "window_geometry.h"

namespace sim {

class Region {
public:
    Region() = default;
    explicit Region(const Rect& rect);

    void Unite(const Rect& rect);
    void Subtract(const Rect& rect);
    void Intersect(const Rect& rect);
    void Intersect(const Region& other);
    void Offset(int32_t dx, int32_t dy);

    bool Empty() const { return rects_.empty(); }
    bool Contains(Point point) const;
    Rect Bounds() const;
    const std::vector<Rect>& Rects() const { return rects_; }

private:
    std::vector<Rect> rects_;
};

}  // namespace sim
