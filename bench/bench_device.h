// The program's window on an in-process device for the page benchmarks:
// a device root copied from the device image with the agreement accepted,
// and MonitorWindow made as the program's entry point makes it.
#pragma once

#include <string>

#include <windows.h>

class MonitorWindow;

namespace bench {

// Ends the run with a message: a benchmark that cannot set up measures
// nothing.
[[noreturn]] void Fail(const std::string& why);

// Dispatches every queued message.
void Pump();

// profile is a built-in device profile name.
void ConnectDevice(const std::string& profile);
// Ends the device and removes its root.
void DisconnectDevice();
// The window on its main page with the theme background loaded.
void StartWindow();
void StopWindow();

MonitorWindow* Application();
HWND Window();
// WM_PAINT messages the window has handled, to prove each repaint ran.
long Paints();
// "240x294"
std::string ClientSize();
// The whole client area, painted as a WM_PAINT from the update region.
void RepaintOnce();

}  // namespace bench
