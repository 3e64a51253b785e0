#include "shape.h"

#include <algorithm>
#include <cmath>

namespace skins {

namespace {

Box Inflate(Box b, double d)
{
    return Box{b.left - d, b.top - d, b.right + d, b.bottom + d};
}

double Length(double x, double y)
{
    return std::sqrt(x * x + y * y);
}

} // namespace

Shape RoundRect(double left, double top, double width, double height, double radius)
{
    double hx = width / 2, hy = height / 2;
    double cx = left + hx, cy = top + hy;
    double r = std::min({radius, hx, hy});
    return Shape{[=](double x, double y) {
                     double qx = std::abs(x - cx) - hx + r;
                     double qy = std::abs(y - cy) - hy + r;
                     double outside = Length(std::max(qx, 0.0), std::max(qy, 0.0));
                     return outside + std::min(std::max(qx, qy), 0.0) - r;
                 },
                 Box{left, top, left + width, top + height}};
}

Shape Rect(double left, double top, double width, double height)
{
    return RoundRect(left, top, width, height, 0);
}

Shape Circle(double cx, double cy, double radius)
{
    return Shape{[=](double x, double y) { return Length(x - cx, y - cy) - radius; },
                 Box{cx - radius, cy - radius, cx + radius, cy + radius}};
}

Shape Ellipse(double cx, double cy, double rx, double ry)
{
    // A close approximation of the true distance; exact enough for edge coverage.
    return Shape{[=](double x, double y) {
                     double px = (x - cx) / rx, py = (y - cy) / ry;
                     double k0 = Length(px, py);
                     double k1 = Length(px / rx, py / ry);
                     if (k1 == 0)
                         return -std::min(rx, ry);
                     return k0 * (k0 - 1.0) / k1;
                 },
                 Box{cx - rx, cy - ry, cx + rx, cy + ry}};
}

Shape Segment(Point from, Point to, double width)
{
    double half = width / 2;
    return Shape{[=](double x, double y) {
                     double bx = to.x - from.x, by = to.y - from.y;
                     double px = x - from.x, py = y - from.y;
                     double len2 = bx * bx + by * by;
                     double t = len2 > 0 ? std::clamp((px * bx + py * by) / len2, 0.0, 1.0) : 0.0;
                     return Length(px - bx * t, py - by * t) - half;
                 },
                 Inflate(Box{std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x),
                             std::max(from.y, to.y)},
                         half)};
}

Shape Polygon(std::vector<Point> points)
{
    Box bounds{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const Point& p : points)
        bounds = Box{std::min(bounds.left, p.x), std::min(bounds.top, p.y), std::max(bounds.right, p.x),
                     std::max(bounds.bottom, p.y)};
    return Shape{[points = std::move(points)](double x, double y) {
                     // Nearest edge for the distance, crossing count for the sign.
                     double best = 1e30;
                     bool inside = false;
                     for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
                         const Point& a = points[i];
                         const Point& b = points[j];
                         double ex = b.x - a.x, ey = b.y - a.y;
                         double wx = x - a.x, wy = y - a.y;
                         double len2 = ex * ex + ey * ey;
                         double t = len2 > 0 ? std::clamp((wx * ex + wy * ey) / len2, 0.0, 1.0) : 0.0;
                         best = std::min(best, Length(wx - ex * t, wy - ey * t));
                         if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * ex / ey)
                             inside = !inside;
                     }
                     return inside ? -best : best;
                 },
                 bounds};
}

Shape BelowCurve(double left, double right, double bottom, std::function<double(double)> curve)
{
    double top = 1e30;
    for (double x = left; x <= right; x += 0.25)
        top = std::min(top, curve(x));
    return Shape{[=](double x, double y) {
                     // The vertical distance to the curve, corrected by its slope.
                     double slope = (curve(x + 0.25) - curve(x - 0.25)) / 0.5;
                     double d = (curve(x) - y) / std::sqrt(1 + slope * slope);
                     d = std::max(d, y - bottom);
                     return std::max({d, left - x, x - right});
                 },
                 Box{left, top - 1, right, bottom}};
}

Shape Union(const Shape& a, const Shape& b)
{
    return Shape{[da = a.distance, db = b.distance](double x, double y) { return std::min(da(x, y), db(x, y)); },
                 Box{std::min(a.bounds.left, b.bounds.left), std::min(a.bounds.top, b.bounds.top),
                     std::max(a.bounds.right, b.bounds.right), std::max(a.bounds.bottom, b.bounds.bottom)}};
}

Shape Intersect(const Shape& a, const Shape& b)
{
    return Shape{[da = a.distance, db = b.distance](double x, double y) { return std::max(da(x, y), db(x, y)); },
                 Box{std::max(a.bounds.left, b.bounds.left), std::max(a.bounds.top, b.bounds.top),
                     std::min(a.bounds.right, b.bounds.right), std::min(a.bounds.bottom, b.bounds.bottom)}};
}

Shape Subtract(const Shape& a, const Shape& b)
{
    return Shape{[da = a.distance, db = b.distance](double x, double y) { return std::max(da(x, y), -db(x, y)); },
                 a.bounds};
}

Shape Grow(const Shape& s, double amount)
{
    return Shape{[d = s.distance, amount](double x, double y) { return d(x, y) - amount; },
                 Inflate(s.bounds, std::max(amount, 0.0))};
}

Shape Outline(const Shape& s, double width)
{
    double half = width / 2;
    return Shape{[d = s.distance, half](double x, double y) { return std::abs(d(x, y)) - half; },
                 Inflate(s.bounds, half)};
}

Shape Translate(const Shape& s, double dx, double dy)
{
    return Shape{[d = s.distance, dx, dy](double x, double y) { return d(x - dx, y - dy); },
                 Box{s.bounds.left + dx, s.bounds.top + dy, s.bounds.right + dx, s.bounds.bottom + dy}};
}

} // namespace skins
