// Paints give the colour of a shape at each point (picture units).
#pragma once

#include "color.h"

#include <functional>
#include <vector>

namespace skins {

using Paint = std::function<Color(double x, double y)>;

struct Stop {
    double at;
    Color color;
};

Paint Solid(Color c);
// Colour along the line from (x0, y0) to (x1, y1); clamped beyond its ends.
Paint Linear(double x0, double y0, double x1, double y1, std::vector<Stop> stops);
// Colour by elliptical distance from the centre, 0 there and 1 at the radii.
Paint Radial(double cx, double cy, double rx, double ry, std::vector<Stop> stops);

Color AtStops(const std::vector<Stop>& stops, double t);

} // namespace skins
