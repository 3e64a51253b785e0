// Update regions and the paint cycle.
#include "ce/errors.h"
#include "gdi/device_context.h"
#include "local_windows.h"
#include "server/screen_buffer.h"
#include "server_connection.h"
#include "window_snapshot.h"

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

// A count, then that many rectangles.
sim::Region ReadRegion(WireReader& in)
{
    sim::Region region;
    uint32_t count = in.U32();
    for (uint32_t i = 0; i < count && !in.Failed(); ++i)
        region.Unite(sim::Rect{in.I32(), in.I32(), in.I32(), in.I32()});
    return region;
}

// The rest of BeginPaint's reply: the window, kept for the questions the
// paint asks of it, and where its client area shows. Empty when the window
// is gone or there is no shared screen to date the answer by.
std::optional<PaintTarget> ReadPaintTarget(HWND hwnd, WireReader& in)
{
    if (in.U8() == 0)
        return std::nullopt;
    WindowInfo info = ReadWindowInfo(in);
    PaintTarget target;
    target.visible = ReadRegion(in);
    sim::ScreenBuffer* screen = DeviceScreen();
    if (in.Failed() || !screen)
        return std::nullopt;
    KeepWindowInfo(hwnd, info);
    target.origin = sim::Point{info.clientOrigin.x, info.clientOrigin.y};
    target.layoutVersion = screen->LayoutVersion();
    return target;
}

// The window BeginPaint last took the update of, and when: until this
// process changes anything, that window's update stays empty, so another
// BeginPaint (a handler's own paint, then DefWindowProc's) need not ask.
struct LastPaint {
    HWND hwnd = nullptr;
    unsigned long long epoch = 0;
    uint64_t layout = 0;
};

LastPaint g_lastPaint;

bool UpdateTakenSince(HWND hwnd)
{
    sim::ScreenBuffer* screen = DeviceScreen();
    return screen && g_lastPaint.hwnd == hwnd && g_lastPaint.epoch == StateEpoch() &&
           g_lastPaint.layout == screen->LayoutVersion();
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
    *lpPaint = PAINTSTRUCT{};
    if (UpdateTakenSince(hWnd)) {
        PaintTarget nothing;
        nothing.layoutVersion = g_lastPaint.layout;
        lpPaint->hdc = CreatePaintDc(hWnd, sim::Region(), nothing);
        return lpPaint->hdc;
    }
    WireWriter args;
    args.U32(WindowId(hWnd));
    std::string reply = Call(Op::BeginPaint, args);
    WireReader in(reply);
    lpPaint->rcPaint = ReadRect(in);
    bool erase = in.U8() != 0;
    bool frame = in.U8() != 0;
    sim::Region update = ReadRegion(in);
    std::optional<PaintTarget> target = ReadPaintTarget(hWnd, in);
    if (target)
        g_lastPaint = LastPaint{hWnd, StateEpoch(), target->layoutVersion};
    // The frame first, as the system draws it before the client.
    if (frame)
        CallLocalProc(hWnd, WM_NCPAINT, 1, 0);
    lpPaint->hdc = CreatePaintDc(hWnd, update, target);
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
