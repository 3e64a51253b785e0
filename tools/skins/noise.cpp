#include "noise.h"

#include <cmath>

namespace skins {

namespace {

// A hash of a lattice point to 0..1.
double LatticeValue(int64_t x, int64_t y, uint32_t seed)
{
    // A small integer mix (after the "lowbias32" hash); exact on every host.
    uint32_t h = static_cast<uint32_t>(x) * 0x8DA6B343u ^ static_cast<uint32_t>(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / static_cast<double>(0xFFFFFF);
}

// Smoothly interpolated lattice noise, 0..1, with one lattice cell per unit.
double ValueNoise(double x, double y, uint32_t seed)
{
    double fx = std::floor(x), fy = std::floor(y);
    auto ix = static_cast<int64_t>(fx), iy = static_cast<int64_t>(fy);
    double tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    double top = LatticeValue(ix, iy, seed) * (1 - tx) + LatticeValue(ix + 1, iy, seed) * tx;
    double bottom = LatticeValue(ix, iy + 1, seed) * (1 - tx) + LatticeValue(ix + 1, iy + 1, seed) * tx;
    return top * (1 - ty) + bottom * ty;
}

} // namespace

double Brushed(double x, double y, uint32_t seed)
{
    // Fine streaks a third of a unit apart, broken up every few dozen units,
    // over a slow wander so that the surface is not uniform.
    double streaks = ValueNoise(x / 37.0, y * 3.0, seed);
    double grain = ValueNoise(x / 9.0, y * 5.0, seed + 1);
    double wander = ValueNoise(x / 90.0, y / 14.0, seed + 2);
    return 0.5 * streaks + 0.25 * grain + 0.25 * wander;
}

} // namespace skins
