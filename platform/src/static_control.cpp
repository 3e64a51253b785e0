#include "static_control.h"

#include <map>
#include <optional>
#include <string>

#include "ce/dialogs.h"
#include "ce/gdi.h"
#include "ce/text.h"
#include "local_windows.h"
#include "static_picture.h"
#include "window_info.h"

namespace platform {
namespace {

constexpr char16_t kStaticClass[] = u"STATIC";
constexpr DWORD kTypeMask = 0x1F;
constexpr WCHAR kOrdinalTitle = 0xFFFF;

// The font each static was given by WM_SETFONT; none draws in the system font.
std::map<HWND, HFONT>& Fonts()
{
    static std::map<HWND, HFONT> fonts;
    return fonts;
}

HFONT FontOf(HWND hwnd)
{
    auto it = Fonts().find(hwnd);
    return it == Fonts().end() || !it->second ? static_cast<HFONT>(GetStockObject(SYSTEM_FONT)) : it->second;
}

// The parent chooses the background and colours through WM_CTLCOLORSTATIC;
// where it does not, the static takes its parent's background and draws
// without one of its own.
HBRUSH Background(HWND hwnd, HDC dc)
{
    SetTextColor(dc, GetSysColor(COLOR_STATICTEXT));
    SetBkColor(dc, GetSysColor(COLOR_STATIC));
    HWND parent = GetParent(hwnd);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(hwnd)));
    if (brush)
        return brush;
    SetBkMode(dc, TRANSPARENT);
    const LocalWindow* local = FindLocalWindow(parent);
    return local && local->background ? local->background : GetSysColorBrush(COLOR_STATIC);
}

// The DrawTextW format the style asks for.
UINT TextFormat(DWORD style)
{
    UINT format = DT_EXPANDTABS;
    switch (style & kTypeMask) {
    case SS_CENTER: format |= DT_CENTER | DT_WORDBREAK; break;
    case SS_RIGHT: format |= DT_RIGHT | DT_WORDBREAK; break;
    case SS_LEFTNOWORDWRAP: format |= DT_LEFT | DT_SINGLELINE; break;
    default: format |= DT_LEFT | DT_WORDBREAK; break;
    }
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    return format;
}

// The sunken edge is drawn inside the control.
int EdgeWidth(DWORD style)
{
    return (style & SS_SUNKEN) ? 1 : 0;
}

// A bitmap static takes the size of its bitmap, whatever the template gave
// it, so that its edge and its neighbours frame the picture itself.
void SizeToBitmap(HWND hwnd, const CREATESTRUCTW& create)
{
    if ((create.style & kTypeMask) != SS_BITMAP || !create.lpszName || create.lpszName[0] != kOrdinalTitle)
        return;
    HBITMAP bitmap = StaticBitmap(hwnd, static_cast<WORD>(create.lpszName[1]));
    BITMAP info = {};
    if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info))
        return;
    int edges = 2 * EdgeWidth(create.style);
    SetWindowPos(hwnd, nullptr, 0, 0, info.bmWidth + edges, info.bmHeight + edges,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Paint(HWND hwnd)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, Background(hwnd, dc));
    std::optional<WindowInfo> info = QueryWindow(hwnd);
    std::u16string text = info ? info->title : std::u16string();
    DWORD style = info ? info->style : 0;
    // FIXME: SS_ICON pictures are not drawn.
    if ((style & kTypeMask) == SS_BITMAP) {
        if (text.size() >= 2 && text[0] == kOrdinalTitle)
            DrawStaticBitmap(hwnd, dc, static_cast<WORD>(text[1]), EdgeWidth(style), EdgeWidth(style));
    } else if ((style & kTypeMask) == SS_ETCHEDHORZ) {
        DrawEtchedLine(dc, client);
    } else if (text.empty() || text[0] != kOrdinalTitle) {
        if (style & WS_DISABLED)
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        HGDIOBJ old = SelectObject(dc, FontOf(hwnd));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client, TextFormat(style));
        SelectObject(dc, old);
    }
    if (style & SS_SUNKEN)
        DrawSunkenEdge(dc, client);
    EndPaint(hwnd, &paint);
}

LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: SizeToBitmap(hwnd, *reinterpret_cast<const CREATESTRUCTW*>(lParam)); return 0;
    case WM_PAINT: Paint(hwnd); return 0;
    // The paint fills the whole control.
    case WM_ERASEBKGND: return 1;
    case WM_SETTEXT: {
        LRESULT stored = DefWindowProcW(hwnd, msg, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return stored;
    }
    case WM_SETFONT:
        Fonts()[hwnd] = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT: {
        auto it = Fonts().find(hwnd);
        return it == Fonts().end() ? 0 : reinterpret_cast<LRESULT>(it->second);
    }
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    // SS_NOTIFY statics tell their parent of a click as the stylus goes down.
    case WM_LBUTTONDOWN:
        if (GetWindowLongW(hwnd, GWL_STYLE) & SS_NOTIFY)
            SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), STN_CLICKED),
                         reinterpret_cast<LPARAM>(hwnd));
        return 0;
    case WM_DESTROY:
        Fonts().erase(hwnd);
        ForgetStaticBitmap(hwnd);
        return 0;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

void RegisterStaticClass()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = StaticProc;
    wc.lpszClassName = kStaticClass;
    RegisterClassW(&wc);
}

}  // namespace platform
