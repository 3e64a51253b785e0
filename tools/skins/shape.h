// Shapes as signed distance functions in picture units: negative inside,
// positive outside. The canvas turns the distance at each pixel centre into
// coverage, which gives every edge its anti-aliasing.
#pragma once

#include <functional>
#include <vector>

namespace skins {

struct Point {
    double x = 0, y = 0;
};

struct Box {
    double left = 0, top = 0, right = 0, bottom = 0;
};

struct Shape {
    std::function<double(double x, double y)> distance;
    // Where the shape can have coverage; drawing skips everything outside it.
    Box bounds;
};

Shape RoundRect(double left, double top, double width, double height, double radius);
Shape Rect(double left, double top, double width, double height);
Shape Circle(double cx, double cy, double radius);
Shape Ellipse(double cx, double cy, double rx, double ry);
// A stroke of the given width between two points, with round caps.
Shape Segment(Point from, Point to, double width);
// A closed polygon (any winding, may be concave).
Shape Polygon(std::vector<Point> points);
// The region under a curve: y >= curve(x), within [left, right] and down to bottom.
Shape BelowCurve(double left, double right, double bottom, std::function<double(double)> curve);

Shape Union(const Shape& a, const Shape& b);
Shape Intersect(const Shape& a, const Shape& b);
Shape Subtract(const Shape& a, const Shape& b);
// Grows (positive) or shrinks (negative) the shape by amount.
Shape Grow(const Shape& s, double amount);
// The outline of the shape, width wide, centred on its edge.
Shape Outline(const Shape& s, double width);
Shape Translate(const Shape& s, double dx, double dy);

} // namespace skins
