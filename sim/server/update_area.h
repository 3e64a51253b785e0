// The part of a window's client area that needs painting, and whether the
// background must be erased first.
#pragma once

#include "region.h"

namespace sim {

class UpdateArea {
public:
    void Add(const Rect& area, bool erase);
    void Remove(const Rect& area);
    void ClipTo(const Rect& client);
    void Clear() { *this = UpdateArea(); }
    bool Empty() const { return area_.Empty(); }
    Rect Bounds() const { return area_.Bounds(); }
    // The pixels themselves: an L-shaped exposure is two rectangles, not
    // their bounding box.
    const Region& Area() const { return area_; }
    bool Erase() const { return erase_; }

private:
    Region area_;
    bool erase_ = false;
};

}  // namespace sim
