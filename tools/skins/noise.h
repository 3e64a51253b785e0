// Seeded, deterministic noise for textures such as brushed metal.
#pragma once

#include <cstdint>

namespace skins {

// Brushed streaks: long along x, fine across y; about 0..1 around 0.5.
double Brushed(double x, double y, uint32_t seed);

} // namespace skins
