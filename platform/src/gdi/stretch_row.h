// One destination row of a nearest-pixel stretch between 24-bit surfaces.
#pragma once

#include <cstdint>

namespace platform {

// How destination columns step through the source: doubling and halving
// (a picture made for the other screen size) have loops of their own.
enum class StretchStep { Double, Halve, Any };

StretchStep StepOf(int destinationWidth, int sourceWidth);

// Pixel i of to takes the source row's pixel columns[i], for count pixels;
// every column lies in the row and the rows do not overlap.
void StretchRow24(uint8_t* to, const uint8_t* from, const int* columns, int count, StretchStep step);

}  // namespace platform
