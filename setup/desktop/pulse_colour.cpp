#include "setup/desktop/pulse_colour.h"

namespace {

BYTE Clamped(int component)
{
    return static_cast<BYTE>(component < 0 ? 0 : component > 255 ? 255 : component);
}

}  // namespace

void StepPulse(PulseColour& colour, PulseDirection& direction)
{
    if (direction == PulseDirection::Rising) {
        colour.green += 13;
        colour.red += 25;
        if (colour.red >= 128)
            direction = PulseDirection::Falling;
        return;
    }
    int before = colour.red;
    colour.green -= 13;
    colour.red -= 25;
    if (before <= 25)
        direction = PulseDirection::Rising;
}

COLORREF PulseColourRef(const PulseColour& colour)
{
    return RGB(Clamped(colour.red), Clamped(colour.green), Clamped(colour.blue));
}
