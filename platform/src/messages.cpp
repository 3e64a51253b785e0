// Message queues, sending, dispatching and the default window procedure.
#include "ce/errors.h"
#include "ce/process.h"
#include "ce/gdi.h"
#include "gdi/device_context.h"
#include "gdi/gdi_objects.h"
#include "handles.h"
#include "key_state.h"
#include "local_windows.h"
#include "server_connection.h"
#include "window_frame.h"
#include "window_info.h"

namespace platform {
namespace {

using sim::Op;
using sim::WireReader;
using sim::WireWriter;

WireWriter Filter(HWND hwnd, UINT first, UINT last)
{
    WireWriter args;
    // PeekMessage's (HWND)-1 asks for thread messages only.
    uint32_t id = hwnd == reinterpret_cast<HWND>(static_cast<intptr_t>(-1)) ? 0xFFFFFFFF : WindowId(hwnd);
    args.U32(id).U32(first).U32(last);
    return args;
}

// Reads the result and message of a GetMessage or PeekMessage reply.
int ReadMessage(const std::string& reply, LPMSG msg)
{
    WireReader in(reply);
    int result = in.I32();
    MSG m{};
    m.hwnd = WindowHandle(in.U32());
    m.message = in.U32();
    m.wParam = static_cast<WPARAM>(in.U64());
    m.lParam = static_cast<LPARAM>(in.I64());
    m.time = in.U32();
    m.pt.x = in.I32();
    m.pt.y = in.I32();
    if (result > 0)
        NoteKeyMessage(m);
    if (msg && result != -1)
        *msg = m;
    return result;
}

// Sends to another process's window and waits; false when the window went
// away or the time ran out.
bool SendAcross(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeout, LRESULT& result)
{
    WireWriter args;
    args.U32(WindowId(hwnd)).U32(message).U64(wParam).I64(lParam).U32(timeout);
    std::string reply = CallWaiting(Op::SendMessage, args);
    WireReader in(reply);
    bool delivered = in.U8() != 0;
    result = static_cast<LRESULT>(in.I64());
    return delivered;
}

}  // namespace
}  // namespace platform

using namespace platform;

BOOL GetMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax)
{
    WireWriter args = Filter(hWnd, wMsgFilterMin, wMsgFilterMax);
    // What the process holds as it goes idle, for the device's dump.
    args.U32(static_cast<uint32_t>(LiveGdiObjectCount() + LiveDcCount()));
    args.U32(static_cast<uint32_t>(OpenHandleCount()));
    std::string reply = CallWaiting(Op::GetMessage, args);
    return ReadMessage(reply, lpMsg);
}

BOOL PeekMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg)
{
    WireWriter args = Filter(hWnd, wMsgFilterMin, wMsgFilterMax);
    args.U8((wRemoveMsg & PM_REMOVE) ? 1 : 0);
    std::string reply = CallWaiting(Op::PeekMessage, args);
    return ReadMessage(reply, lpMsg) > 0 ? TRUE : FALSE;
}

BOOL TranslateMessage(const MSG* lpMsg)
{
    // The device's keys that have characters: RETURN, ESCAPE, BACK, TAB.
    if (!lpMsg || lpMsg->message != WM_KEYDOWN)
        return FALSE;
    WPARAM key = lpMsg->wParam;
    if (key != VK_RETURN && key != VK_ESCAPE && key != VK_BACK && key != VK_TAB)
        return FALSE;
    return PostMessageW(lpMsg->hwnd, WM_CHAR, key, lpMsg->lParam);
}

LRESULT DispatchMessageW(const MSG* lpMsg)
{
    if (!lpMsg)
        return 0;
    if (lpMsg->message == WM_TIMER && lpMsg->lParam) {
        auto callback = reinterpret_cast<TIMERPROC>(lpMsg->lParam);
        callback(lpMsg->hwnd, WM_TIMER, static_cast<UINT_PTR>(lpMsg->wParam), lpMsg->time);
        return 0;
    }
    return CallLocalProc(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

BOOL PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    WireWriter args;
    args.U32(WindowId(hWnd)).U32(Msg).U64(wParam).I64(lParam);
    std::string reply = Call(Op::PostMessage, args);
    WireReader in(reply);
    switch (static_cast<sim::PostResult>(in.U8())) {
    case sim::PostResult::Posted: return TRUE;
    case sim::PostResult::QueueFull: SetLastError(ERROR_NOT_ENOUGH_QUOTA); return FALSE;
    default: SetLastError(ERROR_INVALID_WINDOW_HANDLE); return FALSE;
    }
}

LRESULT SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (FindLocalWindow(hWnd))
        return CallLocalProc(hWnd, Msg, wParam, lParam);
    LRESULT result = 0;
    SendAcross(hWnd, Msg, wParam, lParam, INFINITE, result);
    return result;
}

LRESULT SendMessageTimeoutW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, UINT, UINT uTimeout,
                            PDWORD_PTR lpdwResult)
{
    LRESULT result = 0;
    bool delivered = true;
    if (FindLocalWindow(hWnd))
        result = CallLocalProc(hWnd, Msg, wParam, lParam);
    else
        delivered = SendAcross(hWnd, Msg, wParam, lParam, uTimeout, result);
    if (!delivered) {
        SetLastError(IsWindow(hWnd) ? ERROR_TIMEOUT : ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (lpdwResult)
        *lpdwResult = static_cast<DWORD_PTR>(result);
    return 1;
}

void PostQuitMessage(int nExitCode)
{
    WireWriter args;
    args.I32(nExitCode);
    Call(Op::PostQuit, args);
}

LRESULT CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    return lpPrevWndFunc ? lpPrevWndFunc(hWnd, Msg, wParam, lParam) : 0;
}

LRESULT DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    switch (Msg) {
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE)
            SendMessageW(hWnd, WM_CLOSE, 0, 0);
        return 0;
    // A window that becomes active, and is not minimised, takes the focus.
    // Activation told by another process arrives late: a window no longer
    // active by then takes nothing.
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0 && GetActiveWindow() == hWnd)
            SetFocus(hWnd);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(hWnd, &paint);
        EndPaint(hWnd, &paint);
        return 0;
    }
    case WM_ERASEBKGND: {
        LocalWindow* window = FindLocalWindow(hWnd);
        if (!window || !window->background)
            return 0;
        RECT client;
        GetClientRect(hWnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, window->background);
        return 1;
    }
    case WM_CANCELMODE:
        if (GetCapture() == hWnd)
            ReleaseCapture();
        return 0;
    case WM_SETTEXT:
        if (!StoreWindowTitle(hWnd, reinterpret_cast<LPCWSTR>(lParam)))
            return FALSE;
        // A caption shows the new title at once.
        if ((GetWindowLongW(hWnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION)
            DrawWindowFrame(hWnd);
        return TRUE;
    case WM_NCPAINT:
        DrawWindowFrame(hWnd);
        return 0;
    case WM_NCLBUTTONDOWN:
        TrackFrameStylus(hWnd, wParam, lParam);
        return 0;
    case WM_GETTEXT:
        return CopyWindowTitle(hWnd, reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
        return WindowTitleLength(hWnd);
    default:
        return 0;
    }
}

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc)
{
    WireWriter args;
    args.U32(WindowId(hWnd)).U64(nIDEvent).U32(uElapse).U64(reinterpret_cast<uintptr_t>(lpTimerFunc));
    std::string reply = Call(Op::SetTimer, args);
    WireReader in(reply);
    UINT_PTR id = static_cast<UINT_PTR>(in.U64());
    if (!id)
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return id;
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent)
{
    WireWriter args;
    args.U32(WindowId(hWnd)).U64(uIDEvent);
    std::string reply = Call(Op::KillTimer, args);
    WireReader in(reply);
    return in.U8();
}
