#include "input_mapping.h"

#include <algorithm>
#include <cstdlib>

#include "ce/windowing.h"
#include "server/script.h"

namespace sim {
namespace {

// A press that stays this close to where it went down (in screen pixels)
// is still a tap, so that a shaking hand does not turn it into a drag.
constexpr int kStillSlop = 2;

struct KeyBinding {
    std::string_view name;
    DeviceAction::Kind kind;
    uint8_t virtualKey;
};

// F1 and F2 are the soft keys, as scripts name them.
constexpr KeyBinding kKeys[] = {
    {"Up", DeviceAction::Kind::Key, VK_UP},
    {"Down", DeviceAction::Kind::Key, VK_DOWN},
    {"Left", DeviceAction::Kind::Key, VK_LEFT},
    {"Right", DeviceAction::Kind::Key, VK_RIGHT},
    {"Return", DeviceAction::Kind::Key, VK_RETURN},
    {"Keypad Enter", DeviceAction::Kind::Key, VK_RETURN},
    {"Escape", DeviceAction::Kind::Key, VK_ESCAPE},
    {"F1", DeviceAction::Kind::Key, VK_F1},
    {"F2", DeviceAction::Kind::Key, VK_F2},
    {"F5", DeviceAction::Kind::Rotate, 0},
    {"F6", DeviceAction::Kind::BatteryDown, 0},
    {"F7", DeviceAction::Kind::BatteryUp, 0},
    {"F8", DeviceAction::Kind::ToggleAc, 0},
    {"F9", DeviceAction::Kind::ToggleCard, 0},
};

constexpr std::string_view kKeyHelp =
    "  Start flag (top left) the Start menu: tap the flag, then \"Quib Monitor\" to start it\n"
    "  left mouse button     the stylus (press, drag, release)\n"
    "  right mouse button    tap-and-hold (as does holding the left one still for a second)\n"
    "  arrow keys            the device's arrow keys\n"
    "  Return                action\n"
    "  Escape                back\n"
    "  F1, F2                left and right soft key\n"
    "  F5                    rotate (portrait / landscape)\n"
    "  F6, F7                main battery 10 % down / up\n"
    "  F8                    AC power on / off\n"
    "  F9                    storage card in / out\n"
    "  closing the window    ends every program and devsim\n";

}  // namespace

std::string_view KeyHelp()
{
    return kKeyHelp;
}

int DefaultZoom(int screenWidth, int screenHeight)
{
    return std::min(screenWidth, screenHeight) < 480 ? 2 : 1;
}

InputMapper::InputMapper(int screenWidth, int screenHeight, int zoom)
    : width_(screenWidth), height_(screenHeight), zoom_(std::max(zoom, 1))
{
}

void InputMapper::SetScreen(int screenWidth, int screenHeight)
{
    width_ = screenWidth;
    height_ = screenHeight;
}

// The stylus cannot leave the screen: a drag past the window's edge stays
// on the edge pixel.
Point InputMapper::ToScreen(int x, int y) const
{
    return Point{std::clamp(x / zoom_, 0, std::max(width_ - 1, 0)), std::clamp(y / zoom_, 0, std::max(height_ - 1, 0))};
}

DeviceAction InputMapper::Stylus(uint32_t message, Point point) const
{
    DeviceAction action;
    action.kind = DeviceAction::Kind::Stylus;
    action.message = message;
    action.point = point;
    return action;
}

std::optional<DeviceAction> InputMapper::ButtonDown(MouseButton button, int x, int y, uint64_t nowMs)
{
    if (press_ != Press::None || button == MouseButton::Other)
        return std::nullopt;
    press_ = button == MouseButton::Left ? Press::Stylus : Press::Hold;
    anchor_ = last_ = ToScreen(x, y);
    dragging_ = false;
    heldReported_ = false;
    holdButtonUp_ = false;
    pressedAt_ = nowMs;
    return Stylus(WM_LBUTTONDOWN, anchor_);
}

std::optional<DeviceAction> InputMapper::Motion(int x, int y)
{
    // A tap-and-hold keeps the stylus where it went down.
    if (press_ != Press::Stylus)
        return std::nullopt;
    Point point = ToScreen(x, y);
    if (!dragging_) {
        if (std::abs(point.x - anchor_.x) <= kStillSlop && std::abs(point.y - anchor_.y) <= kStillSlop)
            return std::nullopt;
        dragging_ = true;
    }
    if (point == last_)
        return std::nullopt;
    last_ = point;
    return Stylus(WM_MOUSEMOVE, point);
}

std::optional<DeviceAction> InputMapper::ButtonUp(MouseButton button, int x, int y, uint64_t nowMs)
{
    if (press_ == Press::Stylus && button == MouseButton::Left) {
        press_ = Press::None;
        Point point = dragging_ ? ToScreen(x, y) : anchor_;
        return Stylus(WM_LBUTTONUP, point);
    }
    if (press_ == Press::Hold && button == MouseButton::Right) {
        // A short click still holds for the full time, as a script's hold does.
        holdButtonUp_ = true;
        return Tick(nowMs);
    }
    return std::nullopt;
}

std::optional<DeviceAction> InputMapper::Tick(uint64_t nowMs)
{
    if (press_ == Press::None || nowMs - pressedAt_ < kDefaultHoldMs)
        return std::nullopt;
    if (!dragging_ && !heldReported_) {
        heldReported_ = true;
        DeviceAction held;
        held.kind = DeviceAction::Kind::Held;
        held.point = anchor_;
        return held;
    }
    if (press_ == Press::Hold && holdButtonUp_) {
        press_ = Press::None;
        return Stylus(WM_LBUTTONUP, anchor_);
    }
    return std::nullopt;
}

std::optional<DeviceAction> InputMapper::Key(std::string_view keyName, bool down, bool repeat)
{
    // FIXME: a key held down does not repeat on the device; the server
    // has no repeat-count key message yet.
    if (repeat)
        return std::nullopt;
    for (const KeyBinding& binding : kKeys) {
        if (binding.name != keyName)
            continue;
        // The device's figures change once, when the key goes down.
        if (binding.kind != DeviceAction::Kind::Key && !down)
            return std::nullopt;
        DeviceAction action;
        action.kind = binding.kind;
        action.virtualKey = binding.virtualKey;
        action.down = down;
        return action;
    }
    return std::nullopt;
}

}  // namespace sim
