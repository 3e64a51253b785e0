// What the interactive window's mouse and keyboard mean to the device: the
// left button is the stylus, the right button a tap-and-hold, the arrow,
// RETURN, ESCAPE, F1 and F2 keys the device's keys, and a few function keys
// change the device's figures. Knows nothing of SDL: the window hands it
// positions in window pixels, SDL's key names and the time.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "server/window_geometry.h"

namespace sim {

struct DeviceAction {
    enum class Kind {
        Stylus,       // message at point
        Key,          // virtualKey, down
        Held,         // the stylus has been held still long enough for a tap-and-hold
        Rotate,       // between portrait and landscape
        BatteryDown,  // main battery 10 % less
        BatteryUp,    // main battery 10 % more
        ToggleAc,
        ToggleCard,
    };
    Kind kind = Kind::Stylus;
    uint32_t message = 0;  // Stylus: WM_LBUTTONDOWN, WM_MOUSEMOVE or WM_LBUTTONUP
    Point point;           // Stylus, Held: screen coordinates
    uint8_t virtualKey = 0;
    bool down = false;
};

enum class MouseButton { Left, Right, Other };

// The window's key help, one key a line.
std::string_view KeyHelp();

// A zoom that makes the screen comfortable to look at on a desktop monitor:
// 2 for the 240-pixel forms, 1 for the 480-pixel ones. It depends on the
// shorter side only, so a rotation keeps it.
int DefaultZoom(int screenWidth, int screenHeight);

class InputMapper {
public:
    InputMapper(int screenWidth, int screenHeight, int zoom);

    // The screen turned; a press in progress keeps going.
    void SetScreen(int screenWidth, int screenHeight);

    // Positions are window pixels; nowMs any steadily rising clock.
    std::optional<DeviceAction> ButtonDown(MouseButton button, int x, int y, uint64_t nowMs);
    std::optional<DeviceAction> Motion(int x, int y);
    std::optional<DeviceAction> ButtonUp(MouseButton button, int x, int y, uint64_t nowMs);
    // Called every frame: ends a tap-and-hold that is due, notices a held press.
    std::optional<DeviceAction> Tick(uint64_t nowMs);
    // keyName as SDL_GetKeyName gives it ("Up", "Return", "F1"); repeats
    // from a key held down are not passed on.
    std::optional<DeviceAction> Key(std::string_view keyName, bool down, bool repeat);

    bool Pressed() const { return press_ != Press::None; }

private:
    enum class Press { None, Stylus, Hold };

    Point ToScreen(int x, int y) const;
    DeviceAction Stylus(uint32_t message, Point point) const;

    int width_;
    int height_;
    int zoom_;
    Press press_ = Press::None;
    Point anchor_;          // where the press went down
    Point last_;            // the last point the device saw
    bool dragging_ = false; // the press has left its anchor
    bool heldReported_ = false;
    uint64_t pressedAt_ = 0;
    bool holdButtonUp_ = false;  // Hold: the right button is already up
};

}  // namespace sim
