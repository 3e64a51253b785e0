#include "hold_gesture.h"

#include <algorithm>
#include <cstdlib>

namespace platform {

LONG HoldTolerance(int dpi) { return 5 * dpi / 96; }

HoldGesture::HoldGesture(POINT down, DWORD startMs, int dpi) : down_(down), start_(startMs), tolerance_(HoldTolerance(dpi)) {}

HoldState HoldGesture::Update(bool stylusDown, POINT at, DWORD nowMs)
{
    if (state_ != HoldState::Pending)
        return state_;
    bool wandered = std::abs(at.x - down_.x) > tolerance_ || std::abs(at.y - down_.y) > tolerance_;
    if (!stylusDown || wandered)
        state_ = HoldState::Broken;
    else if (Elapsed(nowMs) >= kHoldDelayMs)
        state_ = HoldState::Held;
    return state_;
}

DWORD HoldGesture::RemainingMs(DWORD nowMs) const
{
    return Elapsed(nowMs) >= kHoldDelayMs ? 0 : kHoldDelayMs - Elapsed(nowMs);
}

int HoldGesture::RingDots(DWORD nowMs) const
{
    DWORD elapsed = std::min(Elapsed(nowMs), kHoldDelayMs);
    return static_cast<int>(elapsed * kHoldRingDots / kHoldDelayMs);
}

}  // namespace platform
