// The interactive window's mouse and keys as the device sees them.
#include "devsim/input_mapping.h"

#include <gtest/gtest.h>

#include <source_location>

#include "ce/windowing.h"

namespace {

using sim::DeviceAction;
using sim::MouseButton;
using Kind = DeviceAction::Kind;

void ExpectStylus(const std::optional<DeviceAction>& action, uint32_t message, int x, int y,
                  std::source_location where = std::source_location::current())
{
    SCOPED_TRACE(testing::Message() << "from line " << where.line());
    ASSERT_TRUE(action.has_value());
    EXPECT_EQ(action->kind, Kind::Stylus);
    EXPECT_EQ(action->message, message);
    EXPECT_EQ(action->point, (sim::Point{x, y}));
}

TEST(InputMapping, WindowPixelsAreDividedByTheZoomAndStayOnTheScreen)
{
    sim::InputMapper mapper(240, 320, 2);
    ExpectStylus(mapper.ButtonDown(MouseButton::Left, 101, 201, 0), WM_LBUTTONDOWN, 50, 100);
    ExpectStylus(mapper.Motion(479, 639), WM_MOUSEMOVE, 239, 319);
    // A drag past the window's edges keeps to the edge pixels.
    ExpectStylus(mapper.Motion(-30, 900), WM_MOUSEMOVE, 0, 319);
    ExpectStylus(mapper.ButtonUp(MouseButton::Left, 600, -4, 10), WM_LBUTTONUP, 239, 0);

    // After a rotation the landscape screen's bounds hold.
    mapper.SetScreen(320, 240);
    ExpectStylus(mapper.ButtonDown(MouseButton::Left, 639, 479, 20), WM_LBUTTONDOWN, 319, 239);

    sim::InputMapper unzoomed(480, 640, 1);
    ExpectStylus(unzoomed.ButtonDown(MouseButton::Left, 479, 639, 0), WM_LBUTTONDOWN, 479, 639);
}

TEST(InputMapping, TheStylusMovesOnlyWhileHeldAndOnlyOnceItLeavesThePressPoint)
{
    sim::InputMapper mapper(240, 320, 2);
    EXPECT_FALSE(mapper.Motion(100, 100)) << "no move without a press";
    EXPECT_FALSE(mapper.ButtonUp(MouseButton::Left, 100, 100, 0)) << "no release without a press";

    ExpectStylus(mapper.ButtonDown(MouseButton::Left, 100, 100, 0), WM_LBUTTONDOWN, 50, 50);
    // Within two screen pixels the press is still a tap.
    EXPECT_FALSE(mapper.Motion(104, 96));
    ExpectStylus(mapper.Motion(106, 100), WM_MOUSEMOVE, 53, 50);
    // A window pixel that lands on the same screen pixel is no move.
    EXPECT_FALSE(mapper.Motion(107, 101));
    // Once dragging, small moves count too.
    ExpectStylus(mapper.Motion(104, 100), WM_MOUSEMOVE, 52, 50);
    // Other buttons neither press again nor release the stylus.
    EXPECT_FALSE(mapper.ButtonDown(MouseButton::Right, 0, 0, 5));
    EXPECT_FALSE(mapper.ButtonUp(MouseButton::Right, 0, 0, 5));
    EXPECT_FALSE(mapper.ButtonDown(MouseButton::Other, 0, 0, 5));
    ExpectStylus(mapper.ButtonUp(MouseButton::Left, 110, 120, 6), WM_LBUTTONUP, 55, 60);
    EXPECT_FALSE(mapper.Pressed());
    EXPECT_FALSE(mapper.Motion(140, 140)) << "no move after the release";

    // A tap that wobbles ends where it went down.
    ExpectStylus(mapper.ButtonDown(MouseButton::Left, 20, 20, 10), WM_LBUTTONDOWN, 10, 10);
    EXPECT_FALSE(mapper.Motion(22, 23));
    ExpectStylus(mapper.ButtonUp(MouseButton::Left, 22, 23, 11), WM_LBUTTONUP, 10, 10);
}

TEST(InputMapping, ALeftPressHeldStillForASecondIsNoticedOnce)
{
    sim::InputMapper mapper(240, 320, 2);
    mapper.ButtonDown(MouseButton::Left, 60, 80, 5000);
    EXPECT_FALSE(mapper.Tick(5999));
    EXPECT_FALSE(mapper.Motion(62, 82)) << "a little shake keeps it still";
    std::optional<DeviceAction> held = mapper.Tick(6000);
    ASSERT_TRUE(held);
    EXPECT_EQ(held->kind, Kind::Held);
    EXPECT_EQ(held->point, (sim::Point{30, 40}));
    EXPECT_FALSE(mapper.Tick(9000));
    ExpectStylus(mapper.ButtonUp(MouseButton::Left, 62, 82, 9000), WM_LBUTTONUP, 30, 40);

    // A drag is never a hold.
    mapper.ButtonDown(MouseButton::Left, 60, 80, 10000);
    mapper.Motion(90, 80);
    EXPECT_FALSE(mapper.Tick(12000));
}

TEST(InputMapping, TheRightButtonHoldsTheStylusDownForAFullSecond)
{
    sim::InputMapper mapper(240, 320, 2);
    ExpectStylus(mapper.ButtonDown(MouseButton::Right, 40, 60, 1000), WM_LBUTTONDOWN, 20, 30);
    EXPECT_FALSE(mapper.Motion(200, 200)) << "a tap-and-hold does not move";
    EXPECT_FALSE(mapper.ButtonDown(MouseButton::Left, 10, 10, 1100));
    // A short click: the stylus stays down until the second is over.
    EXPECT_FALSE(mapper.ButtonUp(MouseButton::Right, 200, 200, 1200));
    EXPECT_TRUE(mapper.Pressed());
    EXPECT_FALSE(mapper.Tick(1999));
    std::optional<DeviceAction> held = mapper.Tick(2000);
    ASSERT_TRUE(held);
    EXPECT_EQ(held->kind, Kind::Held);
    ExpectStylus(mapper.Tick(2016), WM_LBUTTONUP, 20, 30);
    EXPECT_FALSE(mapper.Pressed());

    // A long one: released when the button comes up.
    mapper.ButtonDown(MouseButton::Right, 40, 60, 5000);
    EXPECT_EQ(mapper.Tick(6000)->kind, Kind::Held);
    EXPECT_FALSE(mapper.Tick(7000));
    ExpectStylus(mapper.ButtonUp(MouseButton::Right, 40, 60, 7500), WM_LBUTTONUP, 20, 30);
}

TEST(InputMapping, KeyTable)
{
    struct Case {
        const char* name;
        Kind kind;
        uint8_t virtualKey;
    };
    const Case cases[] = {
        {"Up", Kind::Key, VK_UP},          {"Down", Kind::Key, VK_DOWN},
        {"Left", Kind::Key, VK_LEFT},      {"Right", Kind::Key, VK_RIGHT},
        {"Return", Kind::Key, VK_RETURN},  {"Keypad Enter", Kind::Key, VK_RETURN},
        {"Escape", Kind::Key, VK_ESCAPE},  {"F1", Kind::Key, VK_F1},
        {"F2", Kind::Key, VK_F2},          {"F5", Kind::Rotate, 0},
        {"F6", Kind::BatteryDown, 0},      {"F7", Kind::BatteryUp, 0},
        {"F8", Kind::ToggleAc, 0},         {"F9", Kind::ToggleCard, 0},
    };
    sim::InputMapper mapper(240, 320, 2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<DeviceAction> down = mapper.Key(c.name, true, false);
        ASSERT_TRUE(down);
        EXPECT_EQ(down->kind, c.kind);
        EXPECT_EQ(down->virtualKey, c.virtualKey);
        EXPECT_TRUE(down->down);
        std::optional<DeviceAction> up = mapper.Key(c.name, false, false);
        // Device keys are released; the figures change only on the press.
        if (c.kind == Kind::Key) {
            ASSERT_TRUE(up);
            EXPECT_EQ(up->virtualKey, c.virtualKey);
            EXPECT_FALSE(up->down);
        } else {
            EXPECT_FALSE(up);
        }
        EXPECT_FALSE(mapper.Key(c.name, true, true)) << "auto-repeat";
    }
    EXPECT_FALSE(mapper.Key("A", true, false));
    EXPECT_FALSE(mapper.Key("F3", true, false));
    EXPECT_FALSE(mapper.Key("up", true, false)) << "SDL's names are matched exactly";
}

TEST(InputMapping, DefaultZoomFollowsTheShorterSide)
{
    EXPECT_EQ(sim::DefaultZoom(240, 320), 2);
    EXPECT_EQ(sim::DefaultZoom(320, 240), 2);
    EXPECT_EQ(sim::DefaultZoom(240, 240), 2);
    EXPECT_EQ(sim::DefaultZoom(480, 640), 1);
    EXPECT_EQ(sim::DefaultZoom(640, 480), 1);
}

}  // namespace
