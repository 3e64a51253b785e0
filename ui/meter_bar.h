// A bar that fills in proportion to its value. The pictures are the
// window's; every meter draws with the same three.
#pragma once

#include "ui/control.h"

struct SkinImage;

// The order of the window's meter pictures.
#define METER_IMAGE_FILL 0
#define METER_IMAGE_TRACK 1
#define METER_IMAGE_ALTERNATE_FILL 2
#define METER_IMAGE_COUNT 3

class MeterBar : public Control {
public:
    // images is the window's array of METER_IMAGE_COUNT pictures; it is
    // read at every draw, so pictures loaded later are used.
    MeterBar(Page* owner, int param, SkinImage* const* images);

    void Draw(HDC dc, const PAINTSTRUCT* paint) override;

    int maximum;
    int value;
    // Fills with the second fill picture.
    BOOL alternate;

private:
    SkinImage* const* m_images;
};
