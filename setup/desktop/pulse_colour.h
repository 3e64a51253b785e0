// The colour walk of the frame that pulses around the current flag.
#pragma once

#include <windows.h>

struct PulseColour {
    int red = 0;
    int green = 128;
    int blue = 255;
};

enum class PulseDirection { Rising, Falling };

// One timer tick: rising adds 25 red and 13 green until red reaches 128;
// falling takes them away again and turns once red was 25 or less.
void StepPulse(PulseColour& colour, PulseDirection& direction);

// The colour as a brush colour; components outside a byte are held at
// its ends (a page created while falling starts below zero).
COLORREF PulseColourRef(const PulseColour& colour);
