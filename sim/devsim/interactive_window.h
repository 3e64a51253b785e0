// The interactive front end: a desktop window that shows the device's
// screen and lets the mouse and keyboard act as the device's user.
#pragma once

#include <string>

#include "server/server.h"

namespace sim {

enum class WindowOutcome {
    Unavailable,  // no window system here (or none built in); nothing was run
    Closed,       // the user closed the window
    DeviceOff,    // every program on the device ended
};

// Opens the window at zoom (window pixels per screen pixel; 0 picks one for
// the screen) and runs the device in it until one of the two ends. When no
// window can be opened, says why in reason.
WindowOutcome RunInteractiveWindow(Server& server, int zoom, std::string& reason);

}  // namespace sim
