// Locale-aware conversions between numbers and text.
#pragma once

#include <windows.h>

// Room for any text FormatFixed produces for the figures this program shows.
#define FORMAT_FIXED_MAX 64

// Formats value with the given number of decimals (0 to 7; any other count
// gives 8). The text is cut to textSize - 1 characters when it does not fit.
void FormatFixed(double value, int decimals, WCHAR* text, int textSize, BOOL localise);

// Replaces every '.' by the locale's decimal separator.
void LocaliseDecimal(WCHAR* text);

// Decimal digits of value; text must hold 12 characters.
void FormatInteger(int value, WCHAR* text);

// Makes a locale-formatted number plain: only digits, '-' and '.' remain,
// with '.' as the decimal separator.
void CanonicaliseNumber(WCHAR* text);

// The integer part of a locale-formatted number; 0 when there is none.
int ParseLocalisedInteger(const WCHAR* text);

// Removes every occurrence of c from text.
void RemoveCharacter(WCHAR* text, WCHAR c);
