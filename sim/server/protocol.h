// Requests a program's platform library sends to the device server.
//
// Every request is one frame: the operation (U16) and its arguments, encoded
// with WireWriter. The server answers each with one frame; blocking
// operations are answered when their wait ends. A reply to a waiting
// operation (GetMessage, PeekMessage, SendMessage) may instead carry a
// message sent from another process, which the program handles and answers
// with SendReply before it asks again.
#pragma once

#include <cstdint>

namespace sim {

enum class Op : uint16_t {
    // Session
    Hello = 1,      // pid -> root path, screen memory descriptor (-1 for none)
    Exit,           // exit code
    Log,            // line
    Status,         // -> the device's status figures
    Screen,         // -> width, height, dpi, work area
    MenuItems,      // the open popup menus' shown items: count, then text and screen rectangle each

    // Registry
    RegOpenKey = 20,
    RegCreateKey,
    RegCloseKey,
    RegSetValue,
    RegQueryValue,
    RegDeleteValue,
    RegDeleteKey,
    RegPathOf,
    RegEnumKey,  // key, index -> error, sub-key name

    // Processes and time
    CreateProcess = 40,  // path, arguments -> error, pid
    ProcessState,        // pid -> known, exit code (STILL_ACTIVE while running)
    TerminateProcess,    // pid, exit code -> ok
    WaitProcess,         // pid, timeout (blocks) -> ended
    Sleep,               // milliseconds (blocks)
    TickCount,           // -> device time
    Cursor,              // shape name
    LocalTime,           // -> year, month, day of week, day, hour, minute, second, milliseconds
    StylusWait,          // sequence seen, timeout (blocks until the stylus acts or the time passes)
                         // -> down, screen x, y, sequence
    OpenProcess,         // pid -> Win32 error (ERROR_SUCCESS when the process may be opened)
    DenyProcessAccess,   // simulator-private: from now on no other process can open the caller
    LibraryLoaded,       // device path: the caller has loaded the library there (its first reference)
    LibraryFreed,        // device path: the caller has let go of its last reference to it
    FileInUse,           // device path -> in use: a running program is that file, or has it loaded

    // Windows
    CreateWindow = 60,  // class, title, styles, placement, parent, id, extra bytes,
                        // frame insets -> hwnd
    DestroyWindow,
    ShowWindow,
    MoveWindow,
    RaiseWindow,
    WindowInfo,
    SetWindowText,
    SetWindowLong,    // hwnd, index, value -> WindowLongReply, previous value
    FindWindow,
    GetWindow,
    Desktop,
    FocusState,       // -> active, focus, capture, the caller's active window (0 when the
                      //    active window is another process's)
    SetForeground,
    SetFocus,
    SetCapture,
    ReleaseCapture,
    WindowFromPoint,
    EnableWindow,
    VisibleRegion,    // hwnd, whole window -> ok, origin (of the client, or of the whole
                      //    window), rectangles (screen)
    GetWindowLong,    // hwnd, index, unused value -> WindowLongReply, value
    TopLevelWindows,  // -> count, then each top-level window in z-order: id and WindowInfo's reply

    // Messages, timers, painting
    GetMessage = 90,  // filter, GDI objects and DCs held, handles held (blocks)
    PeekMessage,      // filter, remove
    PostMessage,      // hwnd, message, wParam, lParam -> PostResult
    PostQuit,
    SendMessage,      // to another process's window (blocks), timeout
    SendReply,        // id, result
    SetTimer,
    KillTimer,
    Invalidate,
    Validate,
    BeginPaint,       // -> update rectangle (the bounds), erase, frame, the update's
                      //    rectangles, then what the paint DC needs: WindowInfo's reply
                      //    and the client's visible rectangles
    UpdateRect,
    ContinueWait,     // after handling a sent message, wait on as before
    CloseApps,        // bytes sought: WM_CLOSE posted to other applications' windows
};

// Whether a frame's first field names a request at all.
inline bool IsRequest(uint16_t op)
{
    auto within = [op](Op first, Op last) {
        return op >= static_cast<uint16_t>(first) && op <= static_cast<uint16_t>(last);
    };
    return within(Op::Hello, Op::MenuItems) || within(Op::RegOpenKey, Op::RegEnumKey) ||
           within(Op::CreateProcess, Op::FileInUse) || within(Op::CreateWindow, Op::TopLevelWindows) ||
           within(Op::GetMessage, Op::CloseApps);
}

// Requests that read the device's state and change none of it. While a
// process makes only these, nothing on the device can change: the others
// wait, and the server acts on its own only when every process waits.
inline bool AsksOnly(Op op)
{
    switch (op) {
    case Op::Status:
    case Op::Screen:
    case Op::ProcessState:
    case Op::OpenProcess:
    case Op::FileInUse:
    case Op::TickCount:
    case Op::LocalTime:
    case Op::WindowInfo:
    case Op::FindWindow:
    case Op::GetWindow:
    case Op::Desktop:
    case Op::FocusState:
    case Op::WindowFromPoint:
    case Op::VisibleRegion:
    case Op::GetWindowLong:
    case Op::UpdateRect:
    case Op::TopLevelWindows:
        return true;
    default:
        return false;
    }
}

// What the server puts first in the reply to a waiting operation.
enum class WaitReply : uint8_t {
    Done = 0,      // the operation's own result follows
    Incoming = 1,  // a sent message follows: id, hwnd, msg, wParam, lParam
};

// How GetWindowLong and SetWindowLong went.
enum class WindowLongReply : uint8_t {
    NoWindow = 0,
    Done = 1,
    BadIndex = 2,
};

// How PostMessage went.
enum class PostResult : uint8_t {
    NoWindow = 0,
    Posted = 1,
    QueueFull = 2,
};

}  // namespace sim
