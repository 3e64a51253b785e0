// Creating, placing and querying windows.
#include <algorithm>

#include "ce/errors.h"
#include "local_windows.h"
#include "server/event_log.h"
#include "server_connection.h"
#include "window_frame.h"
#include "window_info.h"
#include "window_snapshot.h"

namespace platform {
namespace {

using sim::Op;
using sim::WireReader;
using sim::WireWriter;

HWND AskForWindow(Op op, const WireWriter& args)
{
    std::string reply = Call(op, args);
    WireReader in(reply);
    return WindowHandle(in.U32());
}

// Sends a request whose reply is an ok byte, then effects; false when the
// server refused.
bool CallWithEffects(Op op, const WireWriter& args, BYTE* extra = nullptr)
{
    std::string reply = Call(op, args);
    WireReader in(reply);
    bool ok = in.U8() != 0;
    if (extra)
        *extra = in.U8();
    DeliverEffects(in);
    return ok;
}

// GetWindowLong and SetWindowLong. The server keeps everything they reach;
// a window procedure does not fit a 32-bit value on this host, so
// GWL_WNDPROC is an invalid index, as on 64-bit Windows.
LONG WindowLong(Op op, HWND hwnd, int index, LONG value)
{
    WireWriter args;
    args.U32(WindowId(hwnd)).I32(index).U32(static_cast<uint32_t>(value));
    std::string reply = Call(op, args);
    WireReader in(reply);
    auto status = static_cast<sim::WindowLongReply>(in.U8());
    LONG answer = static_cast<LONG>(in.U32());
    if (status == sim::WindowLongReply::Done)
        return answer;
    SetLastError(status == sim::WindowLongReply::BadIndex ? ERROR_INVALID_INDEX : ERROR_INVALID_WINDOW_HANDLE);
    return 0;
}

int64_t SizeParam(LONG width, LONG height) { return (width & 0xFFFF) | ((height & 0xFFFF) << 16); }

}  // namespace

std::optional<WindowInfo> QueryWindow(HWND hwnd)
{
    if (hwnd) {
        if (std::optional<WindowInfo> known = SnapshotInfo(hwnd))
            return known;
    }
    WireWriter args;
    args.U32(WindowId(hwnd));
    std::string reply = Call(Op::WindowInfo, args);
    WireReader in(reply);
    if (!hwnd || in.U8() == 0) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return std::nullopt;
    }
    WindowInfo info = ReadWindowInfo(in);
    KeepWindowInfo(hwnd, info);
    return info;
}

bool StoreWindowTitle(HWND hwnd, LPCWSTR text)
{
    WireWriter args;
    args.U32(WindowId(hwnd)).Text(text ? text : u"");
    std::string reply = Call(Op::SetWindowText, args);
    WireReader in(reply);
    if (!in.U8()) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    return true;
}

int CopyWindowTitle(HWND hwnd, LPWSTR buffer, int size)
{
    if (!buffer || size <= 0)
        return 0;
    std::optional<WindowInfo> info = QueryWindow(hwnd);
    size_t count = info ? std::min(info->title.size(), static_cast<size_t>(size - 1)) : 0;
    if (info)
        std::copy_n(info->title.begin(), count, buffer);
    buffer[count] = 0;
    return static_cast<int>(count);
}

int WindowTitleLength(HWND hwnd)
{
    std::optional<WindowInfo> info = QueryWindow(hwnd);
    return info ? static_cast<int>(info->title.size()) : 0;
}

}  // namespace platform

using namespace platform;

HWND CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, int X, int Y,
                     int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam)
{
    const WindowClass* windowClass = FindClass(lpClassName);
    if (!windowClass) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    // The frame's room, as the default WM_NCCALCSIZE would reserve it.
    RECT frame = (dwStyle & (WS_BORDER | WS_DLGFRAME)) ? FrameInsets(dwStyle, ScreenFacts().dpi) : RECT{};
    WireWriter args;
    args.Text(windowClass->name).Text(lpWindowName ? lpWindowName : u"");
    // Visibility comes after WM_CREATE, as ShowWindow would give it.
    args.U32(dwStyle & ~WS_VISIBLE).U32(dwExStyle).I32(X).I32(Y).I32(nWidth).I32(nHeight);
    args.U32(WindowId(hWndParent)).U32((dwStyle & WS_CHILD) ? WindowId(reinterpret_cast<HWND>(hMenu)) : 0);
    args.U32(static_cast<uint32_t>(windowClass->info.cbWndExtra));
    args.I32(frame.left).I32(frame.top).I32(frame.right).I32(frame.bottom);
    HWND hwnd = AskForWindow(Op::CreateWindow, args);
    if (!hwnd) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    LocalWindow local;
    local.proc = windowClass->info.lpfnWndProc;
    local.background = windowClass->info.hbrBackground;
    AddLocalWindow(hwnd, local);

    std::optional<WindowInfo> info = QueryWindow(hwnd);
    CREATESTRUCTW create{};
    create.lpCreateParams = lpParam;
    create.hInstance = hInstance;
    create.hMenu = hMenu;
    create.hwndParent = hWndParent;
    create.style = static_cast<LONG>(dwStyle);
    create.lpszName = lpWindowName;
    create.lpszClass = lpClassName;
    create.dwExStyle = dwExStyle;
    if (info) {
        create.x = info->rect.left;
        create.y = info->rect.top;
        create.cx = info->rect.right - info->rect.left;
        create.cy = info->rect.bottom - info->rect.top;
    }
    if (CallLocalProc(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd))
        return nullptr;
    if (info) {
        CallLocalProc(hwnd, WM_SIZE, SIZE_RESTORED, static_cast<LPARAM>(SizeParam(info->clientWidth, info->clientHeight)));
        CallLocalProc(hwnd, WM_MOVE, 0, static_cast<LPARAM>(SizeParam(info->rect.left, info->rect.top)));
    }
    if (dwStyle & WS_VISIBLE)
        ShowWindow(hwnd, SW_SHOW);
    return hwnd;
}

BOOL DestroyWindow(HWND hWnd)
{
    if (!FindLocalWindow(hWnd)) {
        SetLastError(IsWindow(hWnd) ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    WireWriter ask;
    ask.U32(WindowId(hWnd)).U8(0);
    std::string reply = Call(Op::DestroyWindow, ask);
    WireReader in(reply);
    if (in.U8() == 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    std::vector<HWND> order;
    for (uint32_t count = in.U32(); count > 0 && !in.Failed(); --count)
        order.push_back(WindowHandle(in.U32()));
    for (HWND hwnd : order)
        CallLocalProc(hwnd, WM_DESTROY, 0, 0);
    WireWriter commit;
    commit.U32(WindowId(hWnd)).U8(1);
    bool ok = CallWithEffects(Op::DestroyWindow, commit);
    for (HWND hwnd : order)
        RemoveLocalWindow(hwnd);
    return ok ? TRUE : FALSE;
}

BOOL ShowWindow(HWND hWnd, int nCmdShow)
{
    WireWriter args;
    args.U32(WindowId(hWnd)).U32(static_cast<uint32_t>(nCmdShow));
    BYTE wasVisible = 0;
    CallWithEffects(Op::ShowWindow, args, &wasVisible);
    return wasVisible ? TRUE : FALSE;
}

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags)
{
    WireWriter args;
    args.U32(WindowId(hWnd)).U32(WindowId(hWndInsertAfter)).I32(X).I32(Y).I32(X + cx).I32(Y + cy).U32(uFlags);
    if (!CallWithEffects(Op::MoveWindow, args)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return TRUE;
}

BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint)
{
    if (!SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight, SWP_NOZORDER | SWP_NOACTIVATE))
        return FALSE;
    if (bRepaint)
        InvalidateRect(hWnd, nullptr, TRUE);
    return TRUE;
}

BOOL BringWindowToTop(HWND hWnd)
{
    WireWriter args;
    args.U32(WindowId(hWnd));
    std::string reply = Call(Op::RaiseWindow, args);
    WireReader in(reply);
    return in.U8();
}

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    std::optional<WindowInfo> info = QueryWindow(hWnd);
    if (!info || !lpRect)
        return FALSE;
    *lpRect = info->rect;
    return TRUE;
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect)
{
    std::optional<WindowInfo> info = QueryWindow(hWnd);
    if (!info || !lpRect)
        return FALSE;
    *lpRect = RECT{0, 0, info->clientWidth, info->clientHeight};
    return TRUE;
}

// A window of this process is asked through its procedure, so that a control
// that keeps its own text answers; another process's window gives its stored
// title.
BOOL SetWindowTextW(HWND hWnd, LPCWSTR lpString)
{
    if (FindLocalWindow(hWnd))
        return SendMessageW(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)) ? TRUE : FALSE;
    return StoreWindowTitle(hWnd, lpString) ? TRUE : FALSE;
}

int GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount)
{
    if (!lpString || nMaxCount <= 0)
        return 0;
    if (!FindLocalWindow(hWnd))
        return CopyWindowTitle(hWnd, lpString, nMaxCount);
    lpString[0] = 0;
    return static_cast<int>(SendMessageW(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount),
                                         reinterpret_cast<LPARAM>(lpString)));
}

int GetWindowTextLengthW(HWND hWnd)
{
    if (FindLocalWindow(hWnd))
        return static_cast<int>(SendMessageW(hWnd, WM_GETTEXTLENGTH, 0, 0));
    return WindowTitleLength(hWnd);
}

int GetClassNameW(HWND hWnd, LPWSTR lpClassName, int nMaxCount)
{
    std::optional<WindowInfo> info = QueryWindow(hWnd);
    if (!info || !lpClassName || nMaxCount <= 0)
        return 0;
    size_t count = std::min(info->className.size(), static_cast<size_t>(nMaxCount - 1));
    std::copy_n(info->className.begin(), count, lpClassName);
    lpClassName[count] = 0;
    return static_cast<int>(count);
}

LONG GetWindowLongW(HWND hWnd, int nIndex) { return WindowLong(Op::GetWindowLong, hWnd, nIndex, 0); }

LONG SetWindowLongW(HWND hWnd, int nIndex, LONG dwNewLong)
{
    return WindowLong(Op::SetWindowLong, hWnd, nIndex, dwNewLong);
}

HWND FindWindowW(LPCWSTR lpClassName, LPCWSTR lpWindowName)
{
    WireWriter args;
    args.U8(lpClassName ? 1 : 0).Text(lpClassName ? lpClassName : u"");
    args.U8(lpWindowName ? 1 : 0).Text(lpWindowName ? lpWindowName : u"");
    return AskForWindow(Op::FindWindow, args);
}

HWND GetWindow(HWND hWnd, UINT uCmd)
{
    if (hWnd) {
        if (std::optional<HWND> sibling = SnapshotSibling(hWnd, uCmd))
            return *sibling;
    }
    WireWriter args;
    args.U32(WindowId(hWnd)).U32(uCmd);
    return AskForWindow(Op::GetWindow, args);
}

BOOL IsWindow(HWND hWnd) { return hWnd && QueryWindow(hWnd) ? TRUE : FALSE; }

BOOL IsWindowVisible(HWND hWnd)
{
    std::optional<WindowInfo> info = QueryWindow(hWnd);
    return info && info->visible ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hWnd)
{
    std::optional<WindowInfo> info = QueryWindow(hWnd);
    return info && info->enabled ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable)
{
    WireWriter args;
    args.U32(WindowId(hWnd)).U8(bEnable ? 1 : 0);
    BYTE wasDisabled = 0;
    if (!CallWithEffects(Op::EnableWindow, args, &wasDisabled)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return wasDisabled ? TRUE : FALSE;
}

HWND GetParent(HWND hWnd)
{
    std::optional<WindowInfo> info = QueryWindow(hWnd);
    return info ? info->parent : nullptr;
}

HWND GetDesktopWindow(void) { return AskForWindow(Op::Desktop, WireWriter()); }

DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId)
{
    std::optional<WindowInfo> info = QueryWindow(hWnd);
    if (!info)
        return 0;
    if (lpdwProcessId)
        *lpdwProcessId = info->pid;
    // One thread per process: the thread is named by its process.
    return info->pid;
}

int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints)
{
    LONG dx = 0;
    LONG dy = 0;
    for (auto [hwnd, sign] : {std::pair{hWndFrom, 1}, std::pair{hWndTo, -1}}) {
        if (!hwnd)
            continue;
        std::optional<WindowInfo> info = QueryWindow(hwnd);
        if (!info)
            return 0;
        dx += sign * info->clientOrigin.x;
        dy += sign * info->clientOrigin.y;
    }
    for (UINT i = 0; lpPoints && i < cPoints; ++i) {
        lpPoints[i].x += dx;
        lpPoints[i].y += dy;
    }
    SetLastError(ERROR_SUCCESS);
    return MAKELONG(dx, dy);
}

BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint)
{
    if (!IsWindow(hWnd))
        return FALSE;
    MapWindowPoints(hWnd, nullptr, lpPoint, 1);
    return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint)
{
    if (!IsWindow(hWnd))
        return FALSE;
    MapWindowPoints(nullptr, hWnd, lpPoint, 1);
    return TRUE;
}
