// Tap-and-hold recognition: the stylus held still long enough is a
// context-menu gesture.
#pragma once

#include "ce/types.h"

namespace platform {

// The device's tap-and-hold delay.
constexpr DWORD kHoldDelayMs = 500;
// The ring of dots drawn while the stylus is held.
constexpr int kHoldRingDots = 8;

// How far the stylus may wander from where it went down and still hold:
// a few pixels at 96 dpi, as many physical millimetres on a denser screen.
LONG HoldTolerance(int dpi);

enum class HoldState { Pending, Held, Broken };

class HoldGesture {
public:
    HoldGesture(POINT down, DWORD startMs, int dpi);

    // Where the stylus is at device time nowMs. Once held or broken, stays so.
    HoldState Update(bool stylusDown, POINT at, DWORD nowMs);
    HoldState State() const { return state_; }
    // Time until the hold completes; 0 once it is due.
    DWORD RemainingMs(DWORD nowMs) const;
    // Dots of the ring to show at nowMs: one more each eighth of the delay.
    int RingDots(DWORD nowMs) const;

private:
    DWORD Elapsed(DWORD nowMs) const { return nowMs - start_; }

    POINT down_;
    DWORD start_;
    LONG tolerance_;
    HoldState state_ = HoldState::Pending;
};

}  // namespace platform
