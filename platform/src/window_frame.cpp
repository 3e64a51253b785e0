#include "window_frame.h"

#include "ce/dialogs.h"
#include "ce/gdi.h"
#include "ce/text.h"
#include "ce/user.h"
#include "ce/windowing.h"
#include "message_box_drawing.h"
#include "paint_helpers.h"
#include "server_connection.h"
#include "window_info.h"

namespace platform {
namespace {

// 96-dpi sizes.
constexpr LONG kCaptionHeight = 20;
constexpr LONG kOkWidth = 28;
constexpr LONG kOkInset = 3;
constexpr LONG kCloseSize = 16;

enum class FramePart { None, Ok, Close, Caption };

struct FrameLook {
    int dpi = 96;
    bool desktop = false;
    bool caption = false;
    bool border = false;
    bool okButton = false;
    bool closeBox = false;
};

bool HasCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

FrameLook LookOf(HWND hwnd)
{
    sim::ScreenInfo screen = ScreenFacts();
    DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
    DWORD exStyle = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE));
    FrameLook look;
    look.dpi = screen.dpi;
    look.desktop = screen.desktop;
    look.caption = HasCaption(style);
    look.border = (style & WS_BORDER) != 0;
    look.closeBox = look.caption && look.desktop && (style & WS_SYSMENU);
    look.okButton = look.caption && !look.desktop && (exStyle & WS_EX_CAPTIONOKBTN);
    return look;
}

// The part held down by the stylus, drawn pressed while it is over it.
struct Tracking {
    HWND hwnd = nullptr;
    FramePart part = FramePart::None;
    bool over = false;
};
Tracking g_tracking;

SIZE WindowSize(HWND hwnd)
{
    RECT window{};
    GetWindowRect(hwnd, &window);
    return SIZE{window.right - window.left, window.bottom - window.top};
}

void DrawButton(HDC dc, const RECT& r, const char16_t* label, bool pressed, int dpi)
{
    HFONT bold = CreateMessageBoxFont(dpi, true);
    DrawPushButton(dc, r, label, DT_NOPREFIX, false, pressed, bold, dpi);
    DeleteObject(bold);
}

bool Pressed(HWND hwnd, FramePart part)
{
    return g_tracking.hwnd == hwnd && g_tracking.part == part && g_tracking.over;
}

FramePart PartAt(const FrameLook& look, SIZE size, POINT local)
{
    RECT ok = CaptionOkButton(size.cx, look.dpi);
    RECT close = CaptionCloseBox(size.cx, look.dpi);
    if (look.okButton && PtInRect(&ok, local))
        return FramePart::Ok;
    if (look.closeBox && PtInRect(&close, local))
        return FramePart::Close;
    // Only a desktop's windows move.
    return look.desktop ? FramePart::Caption : FramePart::None;
}

RECT PartRect(FramePart part, SIZE size, int dpi)
{
    return part == FramePart::Ok ? CaptionOkButton(size.cx, dpi) : CaptionCloseBox(size.cx, dpi);
}

}  // namespace

LONG CaptionHeight(int dpi) { return Scaled(kCaptionHeight, dpi); }

RECT FrameInsets(DWORD style, int dpi)
{
    if (HasCaption(style))
        return RECT{1, CaptionHeight(dpi), 1, 1};
    if (style & WS_BORDER)
        return RECT{1, 1, 1, 1};
    return RECT{};
}

RECT CaptionOkButton(LONG width, int dpi)
{
    LONG inset = Scaled(kOkInset, dpi);
    return RECT{width - inset - Scaled(kOkWidth, dpi), inset, width - inset, CaptionHeight(dpi) - inset};
}

RECT CaptionCloseBox(LONG width, int dpi)
{
    LONG size = Scaled(kCloseSize, dpi);
    LONG top = (CaptionHeight(dpi) - size) / 2;
    LONG right = width - Scaled(kOkInset, dpi);
    return RECT{right - size, top, right, top + size};
}

void DrawWindowFrame(HWND hwnd)
{
    FrameLook look = LookOf(hwnd);
    if (!look.caption && !look.border)
        return;
    SIZE size = WindowSize(hwnd);
    HDC dc = GetWindowDC(hwnd);
    if (look.caption) {
        RECT band = {0, 0, size.cx, CaptionHeight(look.dpi)};
        RECT title = band;
        if (look.okButton)
            title.right = CaptionOkButton(size.cx, look.dpi).left;
        else if (look.closeBox)
            title.right = CaptionCloseBox(size.cx, look.dpi).left;
        WCHAR text[256] = {};
        CopyWindowTitle(hwnd, text, 256);
        DrawCaptionBand(dc, title, text, look.dpi);
        if (title.right < band.right)
            DrawCaptionBand(dc, RECT{title.right, 0, band.right, band.bottom}, u"", look.dpi);
        if (look.okButton)
            DrawButton(dc, CaptionOkButton(size.cx, look.dpi), u"ok", Pressed(hwnd, FramePart::Ok), look.dpi);
        if (look.closeBox)
            DrawButton(dc, CaptionCloseBox(size.cx, look.dpi), u"\u00D7", Pressed(hwnd, FramePart::Close),
                       look.dpi);
    }
    DrawBoxFrame(dc, RECT{0, 0, size.cx, size.cy});
    ReleaseDC(hwnd, dc);
}

void TrackFrameStylus(HWND hwnd, WPARAM hit, LPARAM screenPoint)
{
    // A press already lifted (a second DefWindowProcW for the same message)
    // starts no loop that would wait for a lift that never comes.
    if (hit != HTCAPTION || g_tracking.hwnd || GetKeyState(VK_LBUTTON) >= 0)
        return;
    FrameLook look = LookOf(hwnd);
    RECT start{};
    GetWindowRect(hwnd, &start);
    SIZE size = {start.right - start.left, start.bottom - start.top};
    POINT grab = {GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    FramePart part = PartAt(look, size, POINT{grab.x - start.left, grab.y - start.top});
    if (part == FramePart::None)
        return;
    g_tracking = Tracking{hwnd, part, true};
    SetCapture(hwnd);
    if (part != FramePart::Caption)
        DrawWindowFrame(hwnd);

    // The stylus is followed here, as the system's move loop does, so the
    // window procedure never sees the stroke.
    MSG msg;
    bool lifted = false;
    bool quit = false;
    while (!lifted && GetCapture() == hwnd) {
        if (!GetMessageW(&msg, nullptr, 0, 0)) {
            quit = true;
            break;
        }
        // A lift queued before the capture was taken comes as a non-client one.
        bool nonClient = msg.message == WM_NCMOUSEMOVE || msg.message == WM_NCLBUTTONUP;
        bool client = msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP;
        if (msg.hwnd != hwnd || (!nonClient && !client)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            continue;
        }
        lifted = msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP;
        if (part == FramePart::Caption) {
            // The window moves under the stylus, so only the screen point
            // the message was made at is steady.
            LONG dx = msg.pt.x - grab.x;
            LONG dy = msg.pt.y - grab.y;
            MoveWindow(hwnd, start.left + dx, start.top + dy, size.cx, size.cy, TRUE);
            continue;
        }
        // A held button stays where it is, so the captured message's own
        // client point tells where the stylus is.
        POINT point = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
        if (client)
            ClientToScreen(hwnd, &point);
        RECT button = PartRect(part, size, look.dpi);
        bool over = PtInRect(&button, POINT{point.x - start.left, point.y - start.top});
        if (over != g_tracking.over) {
            g_tracking.over = over;
            DrawWindowFrame(hwnd);
        }
    }
    bool chosen = lifted && g_tracking.over;
    g_tracking = Tracking{};
    if (GetCapture() == hwnd)
        ReleaseCapture();
    if (!IsWindow(hwnd))
        return;
    if (part != FramePart::Caption)
        DrawWindowFrame(hwnd);
    if (quit)
        PostQuitMessage(static_cast<int>(msg.wParam));
    else if (chosen && part == FramePart::Ok)
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    else if (chosen && part == FramePart::Close)
        SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

}  // namespace platform
