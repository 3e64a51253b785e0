// Activation, focus and capture.
#include "ce/errors.h"
#include "local_windows.h"
#include "server_connection.h"

namespace platform {
namespace {

using sim::Op;
using sim::WireReader;
using sim::WireWriter;

struct FocusState {
    HWND active = nullptr;
    // The active window when it is this process's: Win32 keeps one active
    // window per thread's queue, none while another thread's is in front.
    HWND ownActive = nullptr;
    HWND focus = nullptr;
    HWND capture = nullptr;
};

FocusState QueryFocus()
{
    std::string reply = Call(Op::FocusState, WireWriter());
    WireReader in(reply);
    FocusState state;
    state.active = WindowHandle(in.U32());
    state.focus = WindowHandle(in.U32());
    state.capture = WindowHandle(in.U32());
    state.ownActive = WindowHandle(in.U32());
    return state;
}

}  // namespace
}  // namespace platform

using namespace platform;

HWND GetActiveWindow(void) { return QueryFocus().ownActive; }

HWND GetForegroundWindow(void) { return QueryFocus().active; }

HWND GetFocus(void) { return QueryFocus().focus; }

HWND GetCapture(void) { return QueryFocus().capture; }

BOOL SetForegroundWindow(HWND hWnd)
{
    WireWriter args;
    args.U32(WindowId(hWnd));
    std::string reply = Call(Op::SetForeground, args);
    WireReader in(reply);
    bool ok = in.U8() != 0;
    DeliverEffects(in);
    if (!ok)
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return ok ? TRUE : FALSE;
}

HWND SetActiveWindow(HWND hWnd)
{
    HWND previous = GetActiveWindow();
    return SetForegroundWindow(hWnd) ? previous : nullptr;
}

HWND SetFocus(HWND hWnd)
{
    // Focusing one of its own windows in another top level activates that
    // first; its WM_ACTIVATE is handled before the focus moves on.
    if (hWnd && FindLocalWindow(hWnd) && IsWindowVisible(hWnd)) {
        // GetParent of a pop-up is its owner, which is another top level.
        HWND topLevel = hWnd;
        while (GetWindowLongW(topLevel, GWL_STYLE) & WS_CHILD)
            topLevel = GetParent(topLevel);
        if (topLevel != GetActiveWindow())
            SetForegroundWindow(topLevel);
    }
    WireWriter args;
    args.U32(WindowId(hWnd));
    std::string reply = Call(Op::SetFocus, args);
    WireReader in(reply);
    bool ok = in.U8() != 0;
    HWND previous = WindowHandle(in.U32());
    DeliverEffects(in);
    return ok ? previous : nullptr;
}

HWND SetCapture(HWND hWnd)
{
    WireWriter args;
    args.U32(WindowId(hWnd));
    std::string reply = Call(Op::SetCapture, args);
    WireReader in(reply);
    return WindowHandle(in.U32());
}

BOOL ReleaseCapture(void)
{
    Call(Op::ReleaseCapture, WireWriter());
    return TRUE;
}

HWND WindowFromPoint(POINT Point)
{
    WireWriter args;
    args.I32(Point.x).I32(Point.y);
    std::string reply = Call(Op::WindowFromPoint, args);
    WireReader in(reply);
    return WindowHandle(in.U32());
}
