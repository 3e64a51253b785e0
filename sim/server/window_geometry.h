// Points and rectangles in device pixels.
#pragma once

#include <cstdint>

namespace sim {

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Coordinates a program hands the device are kept within GDI's range, so
// that sums and differences of a few of them cannot overflow.
constexpr int32_t kMaxCoordinate = 1 << 27;
constexpr int32_t ClampCoordinate(int32_t value)
{
    return value < -kMaxCoordinate ? -kMaxCoordinate : value > kMaxCoordinate ? kMaxCoordinate : value;
}

// Right and bottom are exclusive, as in RECT.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    // An empty inner rectangle is contained nowhere.
    bool Contains(const Rect& inner) const;
    Rect Offset(int32_t dx, int32_t dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Empty results are always {0, 0, 0, 0}, so that they compare equal.
Rect Intersect(const Rect& a, const Rect& b);
// The bounding rectangle of both; an empty operand adds nothing.
Rect Union(const Rect& a, const Rect& b);

}  // namespace sim
