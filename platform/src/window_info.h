// What the device server knows of a window, fetched in one request.
#pragma once

#include <optional>
#include <string>

#include "ce/windowing.h"

namespace platform {

struct WindowInfo {
    DWORD pid = 0;
    std::u16string className;
    std::u16string title;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;
    RECT rect{};  // screen coordinates, the frame included
    LONG clientWidth = 0;
    LONG clientHeight = 0;
    POINT clientOrigin{};  // the client area's top left on the screen
    bool visible = false;
    bool enabled = false;
};

// Empty, with ERROR_INVALID_WINDOW_HANDLE set, for a handle that is not a
// window.
std::optional<WindowInfo> QueryWindow(HWND hwnd);

// The title the device keeps for a window, without asking its procedure
// (DefWindowProc's text, what FindWindow and the task bar see). Storing
// fails with ERROR_INVALID_WINDOW_HANDLE.
bool StoreWindowTitle(HWND hwnd, LPCWSTR text);
// Copies as much of the stored title as fits with its terminator; the count
// copied, 0 (with an empty buffer) for a handle that is not a window.
int CopyWindowTitle(HWND hwnd, LPWSTR buffer, int size);
int WindowTitleLength(HWND hwnd);

}  // namespace platform
