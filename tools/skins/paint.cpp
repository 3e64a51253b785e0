#include "paint.h"

#include <cmath>

namespace skins {

Color AtStops(const std::vector<Stop>& stops, double t)
{
    if (t <= stops.front().at)
        return stops.front().color;
    for (size_t i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].at) {
            double span = stops[i].at - stops[i - 1].at;
            double f = span > 0 ? (t - stops[i - 1].at) / span : 1.0;
            return Mix(stops[i - 1].color, stops[i].color, f);
        }
    }
    return stops.back().color;
}

Paint Solid(Color c)
{
    return [c](double, double) { return c; };
}

Paint Linear(double x0, double y0, double x1, double y1, std::vector<Stop> stops)
{
    double dx = x1 - x0, dy = y1 - y0;
    double len2 = dx * dx + dy * dy;
    return [=, stops = std::move(stops)](double x, double y) {
        double t = len2 > 0 ? ((x - x0) * dx + (y - y0) * dy) / len2 : 0.0;
        return AtStops(stops, t);
    };
}

Paint Radial(double cx, double cy, double rx, double ry, std::vector<Stop> stops)
{
    return [=, stops = std::move(stops)](double x, double y) {
        double px = (x - cx) / rx, py = (y - cy) / ry;
        return AtStops(stops, std::sqrt(px * px + py * py));
    };
}

} // namespace skins
