// The ring of dots that grows around the stylus while it is held, drawn on
// the screen over whatever is there and taken away afterwards.
#pragma once

#include "ce/gdi.h"

namespace platform {

class HoldRing {
public:
    HoldRing(POINT centre, int dpi);
    ~HoldRing();
    HoldRing(const HoldRing&) = delete;
    HoldRing& operator=(const HoldRing&) = delete;

    // Shows the first dots of the ring (clockwise from the top).
    void Show(int dots);

private:
    RECT area_{};  // screen pixels the ring may cover, kept in saved_
    POINT centre_;
    LONG radius_;
    LONG dotSize_;
    int shown_ = 0;
    HDC screen_ = nullptr;
    HDC memory_ = nullptr;
    HBITMAP saved_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace platform
