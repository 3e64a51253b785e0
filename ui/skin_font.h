// Fonts sized for the screen: point sizes at the DC's density, doubled
// on a high-resolution screen that reports 96 pixels per inch.
#pragma once

#include <windows.h>

// The quotient rounded half away from zero.
int RoundedRatio(int numerator, int denominator);

// A new Tahoma font of pointSize points; the caller deletes it.
HFONT CreateSkinFont(HDC dc, int pointSize, int weight);
