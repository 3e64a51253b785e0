#include "button_control.h"

#include <map>
#include <optional>
#include <string>

#include "button_radio.h"
#include "ce/dialogs.h"
#include "ce/gdi.h"
#include "ce/text.h"
#include "message_box_drawing.h"
#include "server/wire_records.h"
#include "server_connection.h"
#include "window_info.h"

namespace platform {
namespace {

constexpr char16_t kButtonClass[] = u"BUTTON";
constexpr DWORD kTypeMask = 0x0F;

struct Button {
    HFONT font = nullptr;
    bool held = false;     // the stylus went down on it and has it captured
    bool pressed = false;  // held, and the stylus is over it
    bool checked = false;  // radio buttons only
};

std::map<HWND, Button>& Buttons()
{
    static std::map<HWND, Button> buttons;
    return buttons;
}

int ScreenDpi()
{
    std::string reply = Call(sim::Op::Screen, sim::WireWriter());
    sim::WireReader in(reply);
    return sim::ReadScreen(in).dpi;
}

bool Inside(HWND hwnd, LPARAM lParam)
{
    RECT client{};
    GetClientRect(hwnd, &client);
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return PtInRect(&client, point) != FALSE;
}

void Click(HWND hwnd)
{
    // An automatic radio button checks itself within its group first.
    if (IsAutoRadio(static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE))))
        CheckInGroup(hwnd);
    SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd));
}

void Paint(HWND hwnd, const Button& button)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT client{};
    GetClientRect(hwnd, &client);
    std::optional<WindowInfo> info = QueryWindow(hwnd);
    DWORD style = info ? info->style : 0;
    HGDIOBJ font = button.font ? button.font : GetStockObject(SYSTEM_FONT);
    if (IsAutoRadio(style)) {
        DrawRadioButton(hwnd, dc, client, info ? info->title : u"", button.checked, static_cast<HFONT>(font),
                        !(style & WS_DISABLED));
        EndPaint(hwnd, &paint);
        return;
    }
    DrawPushButton(dc, client, info ? info->title : u"", 0, (style & kTypeMask) == BS_DEFPUSHBUTTON, button.pressed,
                   static_cast<HFONT>(font), ScreenDpi(), !(style & WS_DISABLED));
    EndPaint(hwnd, &paint);
}

void OnDown(HWND hwnd, Button& button)
{
    button.held = button.pressed = true;
    SetCapture(hwnd);
    SetFocus(hwnd);
    InvalidateRect(hwnd, nullptr, FALSE);
}

void OnMove(HWND hwnd, Button& button, LPARAM lParam)
{
    if (!button.held || button.pressed == Inside(hwnd, lParam))
        return;
    button.pressed = !button.pressed;
    InvalidateRect(hwnd, nullptr, FALSE);
}

void OnUp(HWND hwnd, Button& button, LPARAM lParam)
{
    if (!button.held)
        return;
    button.held = button.pressed = false;
    if (GetCapture() == hwnd)
        ReleaseCapture();
    InvalidateRect(hwnd, nullptr, FALSE);
    if (Inside(hwnd, lParam))
        Click(hwnd);
}

void SetStyle(HWND hwnd, WPARAM style, LPARAM redraw)
{
    DWORD current = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
    SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>((current & ~kTypeMask) | (style & kTypeMask)));
    if (redraw)
        InvalidateRect(hwnd, nullptr, FALSE);
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Button& button = Buttons()[hwnd];
    switch (msg) {
    case WM_PAINT: Paint(hwnd, button); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN: OnDown(hwnd, button); return 0;
    case WM_MOUSEMOVE: OnMove(hwnd, button, lParam); return 0;
    case WM_LBUTTONUP: OnUp(hwnd, button, lParam); return 0;
    case BM_CLICK: Click(hwnd); return 0;
    case BM_SETSTYLE: SetStyle(hwnd, wParam, lParam); return 0;
    case BM_GETCHECK: return button.checked ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK:
        if (button.checked != (wParam == BST_CHECKED)) {
            button.checked = wParam == BST_CHECKED;
            InvalidateRect(hwnd, nullptr, FALSE);
        }
        return 0;
    case WM_SETTEXT: {
        LRESULT stored = DefWindowProcW(hwnd, msg, wParam, lParam);
        InvalidateRect(hwnd, nullptr, FALSE);
        return stored;
    }
    case WM_SETFONT:
        button.font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(button.font);
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_DESTROY: Buttons().erase(hwnd); return 0;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

void RegisterButtonClass()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ButtonProc;
    wc.lpszClassName = kButtonClass;
    RegisterClassW(&wc);
}

}  // namespace platform
