#include "color.h"

#include <algorithm>
#include <cmath>

namespace skins {

namespace {

double Linear(double v)
{
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

} // namespace

double Luminance(const Color& c)
{
    return 0.2126 * Linear(c.r) + 0.7152 * Linear(c.g) + 0.0722 * Linear(c.b);
}

double ContrastRatio(const Color& x, const Color& y)
{
    double lx = Luminance(x);
    double ly = Luminance(y);
    return (std::max(lx, ly) + 0.05) / (std::min(lx, ly) + 0.05);
}

} // namespace skins
