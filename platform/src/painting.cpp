// Update regions and the paint cycle.
#include "ce/errors.h"
#include "gdi/device_context.h"
#include "local_windows.h"
#include "server_connection.h"

namespace platform {
namespace {

using sim::Op;
using sim::WireReader;
using sim::WireWriter;

void WriteOptionalRect(WireWriter& args, const RECT* rect)
{
    args.U8(rect ? 1 : 0);
    RECT r = rect ? *rect : RECT{};
    args.I32(r.left).I32(r.top).I32(r.right).I32(r.bottom);
}

RECT ReadRect(WireReader& in)
{
    RECT r;
    r.left = in.I32();
    r.top = in.I32();
    r.right = in.I32();
    r.bottom = in.I32();
    return r;
}

}  // namespace
}  // namespace platform

using namespace platform;

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase)
{
    WireWriter args;
    args.U32(WindowId(hWnd));
    WriteOptionalRect(args, lpRect);
    args.U8(bErase ? 1 : 0);
    std::string reply = Call(Op::Invalidate, args);
    WireReader in(reply);
    return in.U8();
}

BOOL ValidateRect(HWND hWnd, const RECT* lpRect)
{
    WireWriter args;
    args.U32(WindowId(hWnd));
    WriteOptionalRect(args, lpRect);
    std::string reply = Call(Op::Validate, args);
    WireReader in(reply);
    return in.U8();
}

BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL)
{
    WireWriter args;
    args.U32(WindowId(hWnd));
    std::string reply = Call(Op::UpdateRect, args);
    WireReader in(reply);
    RECT r = ReadRect(in);
    if (lpRect)
        *lpRect = r;
    return r.right > r.left && r.bottom > r.top;
}

BOOL UpdateWindow(HWND hWnd)
{
    // Paints at once what is pending, as a sent WM_PAINT does.
    if (FindLocalWindow(hWnd) && GetUpdateRect(hWnd, nullptr, FALSE))
        CallLocalProc(hWnd, WM_PAINT, 0, 0);
    return TRUE;
}

HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint)
{
    if (!lpPaint)
        return nullptr;
    WireWriter args;
    args.U32(WindowId(hWnd));
    std::string reply = Call(Op::BeginPaint, args);
    WireReader in(reply);
    *lpPaint = PAINTSTRUCT{};
    lpPaint->rcPaint = ReadRect(in);
    bool erase = in.U8() != 0;
    bool frame = in.U8() != 0;
    // The frame first, as the system draws it before the client.
    if (frame)
        CallLocalProc(hWnd, WM_NCPAINT, 1, 0);
    lpPaint->hdc = CreatePaintDc(hWnd, lpPaint->rcPaint);
    if (erase)
        lpPaint->fErase = CallLocalProc(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(lpPaint->hdc), 0) ? FALSE : TRUE;
    return lpPaint->hdc;
}

BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint)
{
    if (lpPaint)
        ReleaseDC(hWnd, lpPaint->hdc);
    return TRUE;
}
