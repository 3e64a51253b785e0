// Seeded, deterministic noise for textures such as brushed metal.
#pragma once

#include <cstdint>

namespace skins {

// A hash of a lattice point to 0..1.
double LatticeValue(int64_t x, int64_t y, uint32_t seed);
// Smoothly interpolated lattice noise, 0..1, with one lattice cell per unit.
double ValueNoise(double x, double y, uint32_t seed);
// Brushed streaks: long along x, fine across y; about 0..1 around 0.5.
double Brushed(double x, double y, uint32_t seed);

} // namespace skins
