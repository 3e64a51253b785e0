// The tap-and-hold recogniser on the device clock: where the stylus may
// wander, how long it must stay, and how the ring grows meanwhile.
#include <gtest/gtest.h>

#include <vector>

#include "aygshell.h"
#include "device_fixture.h"
#include "hold_gesture.h"

namespace {

using platform::HoldGesture;
using platform::HoldState;

struct Sample {
    bool down;
    LONG dx;
    LONG dy;
    DWORD ms;  // since the stylus went down
};

struct Case {
    const char* what;
    int dpi;
    std::vector<Sample> samples;
    HoldState last;
};

TEST(HoldGesture, HeldWhenTheStylusStaysWithinTheToleranceForTheDelay)
{
    const POINT down = {100, 120};
    const DWORD start = 7000;
    const std::vector<Case> cases = {
        {"still for the delay", 96, {{true, 0, 0, 0}, {true, 0, 0, 499}, {true, 0, 0, 500}}, HoldState::Held},
        {"one short of the delay", 96, {{true, 0, 0, 0}, {true, 0, 0, 499}}, HoldState::Pending},
        {"wandering within 5 pixels", 96, {{true, 5, -5, 200}, {true, -5, 5, 600}}, HoldState::Held},
        {"6 pixels away at 96 dpi", 96, {{true, 6, 0, 200}, {true, 0, 0, 600}}, HoldState::Broken},
        {"6 pixels away at 192 dpi", 192, {{true, 0, 6, 200}, {true, 10, -10, 600}}, HoldState::Held},
        {"11 pixels away at 192 dpi", 192, {{true, 0, -11, 200}}, HoldState::Broken},
        {"lifted before the delay", 96, {{true, 0, 0, 100}, {false, 0, 0, 300}}, HoldState::Broken},
        {"lifted late: already held", 96, {{true, 0, 0, 500}, {false, 0, 0, 900}}, HoldState::Held},
        {"broken stays broken", 96, {{true, 9, 0, 100}, {true, 0, 0, 800}}, HoldState::Broken},
    };
    for (const Case& c : cases) {
        HoldGesture gesture(down, start, c.dpi);
        HoldState state = HoldState::Pending;
        for (const Sample& s : c.samples)
            state = gesture.Update(s.down, POINT{down.x + s.dx, down.y + s.dy}, start + s.ms);
        EXPECT_EQ(state, c.last) << c.what;
        EXPECT_EQ(gesture.State(), c.last) << c.what;
    }
}

TEST(HoldGesture, TheRingGrowsADotAnEighthAndTheRemainingTimeRunsOut)
{
    const DWORD start = 0xFFFFFF00;  // across the wrap of the tick count
    HoldGesture gesture(POINT{0, 0}, start, 96);
    const struct {
        DWORD ms;
        int dots;
        DWORD remaining;
    } steps[] = {{0, 0, 500}, {62, 0, 438}, {63, 1, 437}, {250, 4, 250}, {499, 7, 1}, {500, 8, 0}, {2000, 8, 0}};
    for (const auto& step : steps) {
        EXPECT_EQ(gesture.RingDots(start + step.ms), step.dots) << step.ms;
        EXPECT_EQ(gesture.RemainingMs(start + step.ms), step.remaining) << step.ms;
    }
}

class Gesture : public testsupport::DeviceFixture {};

TEST_F(Gesture, WithoutTheStylusDownTheAnswerIsNoGestureAtOnce)
{
    SHRGINFO info = {sizeof(SHRGINFO), nullptr, {10, 10}, SHRG_RETURNCMD};
    EXPECT_EQ(SHRecognizeGesture(&info), 0u);
    EXPECT_EQ(GetTickCount(), 0u) << "no wait";
    info.cbSize = 4;
    EXPECT_EQ(SHRecognizeGesture(&info), 0u);
    EXPECT_EQ(SHRecognizeGesture(nullptr), 0u);
    EXPECT_EQ(Events("gesture"), (std::vector<std::string>(3, "gesture result=0")));
}

}  // namespace
