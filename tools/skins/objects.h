// The objects the status pictures show (batteries, memory chips, cards),
// drawn to fit a box so that the large pictures and the small icons share them.
#pragma once

#include "canvas.h"

namespace skins {

// A battery standing up, its terminal at the top, charged to level (0..1).
void UprightBattery(Canvas& c, Box box, double level, bool bolt);
// A battery lying down, its terminal at the right.
void LyingBattery(Canvas& c, Box box, double level);
// A button cell, seen from the front with its edge below.
void CoinCell(Canvas& c, double cx, double cy, double radius);
// A memory chip with pins on its long sides; upright puts them left and right.
void Chip(Canvas& c, Box box, int pins, bool upright);
// A stack of three discs, the sign for stored data.
void DiscStack(Canvas& c, Box box);
// A memory card with its clipped corner at the top right.
void MemoryCard(Canvas& c, Box box);

} // namespace skins
