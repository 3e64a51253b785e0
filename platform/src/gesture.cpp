// SHRecognizeGesture: waits, on the device clock, while the stylus stays
// down where it went down, and answers whether it was held. The stylus
// messages stay queued for the program either way.
#include <algorithm>
#include <memory>
#include <string>

#include "aygshell.h"
#include "hold_gesture.h"
#include "hold_ring.h"
#include "server/event_log.h"
#include "server/wire_records.h"
#include "server_connection.h"

namespace platform {
namespace {

// How often the ring grows while the stylus is held.
constexpr DWORD kRingStepMs = kHoldDelayMs / kHoldRingDots;

struct StylusState {
    bool down = false;
    POINT at{};
    uint64_t sequence = 0;
};

// The touch panel once it changes from what `seen` describes, or after
// timeoutMs (0: at once).
StylusState WaitStylus(uint64_t seen, DWORD timeoutMs)
{
    sim::WireWriter args;
    args.U64(seen).U32(timeoutMs);
    std::string reply = Call(sim::Op::StylusWait, args);
    sim::WireReader in(reply);
    StylusState state;
    state.down = in.U8() != 0;
    state.at.x = in.I32();
    state.at.y = in.I32();
    state.sequence = in.U64();
    return state;
}

int ScreenDpi()
{
    std::string reply = Call(sim::Op::Screen, sim::WireWriter());
    sim::WireReader in(reply);
    return sim::ReadScreen(in).dpi;
}

DWORD Answer(DWORD result)
{
    Server().LogEvent("gesture result=" + std::to_string(result));
    return result;
}

// Follows the stylus until the hold completes or breaks.
bool Held(POINT down, const StylusState& start, bool animate)
{
    int dpi = ScreenDpi();
    HoldGesture gesture(down, GetTickCount(), dpi);
    std::unique_ptr<HoldRing> ring;
    if (animate)
        ring = std::make_unique<HoldRing>(down, dpi);
    StylusState state = start;
    while (gesture.Update(state.down, state.at, GetTickCount()) == HoldState::Pending) {
        if (ring)
            ring->Show(gesture.RingDots(GetTickCount()));
        DWORD wait = std::min(kRingStepMs, gesture.RemainingMs(GetTickCount()));
        state = WaitStylus(state.sequence, wait);
    }
    return gesture.State() == HoldState::Held;
}

}  // namespace
}  // namespace platform

// Every flag answers as SHRG_RETURNCMD does: the command, or 0.
DWORD WINAPI SHRecognizeGesture(SHRGINFO* shrg)
{
    if (!shrg || shrg->cbSize < sizeof(SHRGINFO))
        return platform::Answer(0);
    platform::StylusState now = platform::WaitStylus(0, 0);
    if (!now.down)
        return platform::Answer(0);
    POINT down = shrg->ptDown;
    if (shrg->hwndClient && !ClientToScreen(shrg->hwndClient, &down))
        return platform::Answer(0);
    bool animate = (shrg->dwFlags & SHRG_NOANIMATION) == 0;
    return platform::Answer(platform::Held(down, now, animate) ? GN_CONTEXTMENU : 0);
}
