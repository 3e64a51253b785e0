#include "hold_ring.h"

#include <algorithm>
#include <cmath>

#include "ce/windowing.h"
#include "hold_gesture.h"

namespace platform {

HoldRing::HoldRing(POINT centre, int dpi) : centre_(centre), radius_(12 * dpi / 96), dotSize_(3 * dpi / 96)
{
    LONG reach = radius_ + dotSize_;
    area_ = RECT{std::max<LONG>(0, centre.x - reach), std::max<LONG>(0, centre.y - reach),
                 std::min<LONG>(GetSystemMetrics(SM_CXSCREEN), centre.x + reach + 1),
                 std::min<LONG>(GetSystemMetrics(SM_CYSCREEN), centre.y + reach + 1)};
    LONG width = area_.right - area_.left;
    LONG height = area_.bottom - area_.top;
    if (width <= 0 || height <= 0)
        return;
    screen_ = GetDC(nullptr);
    memory_ = CreateCompatibleDC(screen_);
    saved_ = CreateCompatibleBitmap(screen_, width, height);
    if (!screen_ || !memory_ || !saved_)
        return;
    previous_ = SelectObject(memory_, saved_);
    BitBlt(memory_, 0, 0, width, height, screen_, area_.left, area_.top, SRCCOPY);
}

HoldRing::~HoldRing()
{
    if (previous_ && shown_ > 0)
        BitBlt(screen_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, memory_, 0, 0,
               SRCCOPY);
    if (previous_)
        SelectObject(memory_, previous_);
    if (saved_)
        DeleteObject(saved_);
    if (memory_)
        DeleteDC(memory_);
    if (screen_)
        ReleaseDC(nullptr, screen_);
}

void HoldRing::Show(int dots)
{
    if (!previous_)
        return;
    HBRUSH brush = GetSysColorBrush(COLOR_HIGHLIGHT);
    for (int i = shown_; i < std::min(dots, kHoldRingDots); ++i) {
        double angle = 2 * M_PI * i / kHoldRingDots;
        LONG x = centre_.x + static_cast<LONG>(std::lround(radius_ * std::sin(angle)));
        LONG y = centre_.y - static_cast<LONG>(std::lround(radius_ * std::cos(angle)));
        RECT dot = {x - dotSize_ / 2, y - dotSize_ / 2, x - dotSize_ / 2 + dotSize_, y - dotSize_ / 2 + dotSize_};
        FillRect(screen_, &dot, brush);
    }
    shown_ = std::max(shown_, dots);
}

}  // namespace platform
