// Fonts sized for the screen: point sizes at the DC's density, doubled
// on a high-resolution screen that reports 96 pixels per inch.
#pragma once

#include <windows.h>

// The quotient rounded half away from zero.
int RoundedRatio(int numerator, int denominator);

// A new font of pointSize points in the given face (the program's skins
// use Tahoma); the caller deletes it.
HFONT CreateSkinFont(HDC dc, int pointSize, int weight, const WCHAR* face = TEXT("Tahoma"));
