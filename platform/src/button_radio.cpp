#include "button_radio.h"

#include <algorithm>
#include <cmath>

#include "ce/crt.h"
#include "ce/dialogs.h"
#include "ce/text.h"
#include "ce/windowing.h"
#include "local_windows.h"

namespace platform {
namespace {

constexpr DWORD kTypeMask = 0x0F;
constexpr int kCircle = 12;
constexpr int kGap = 4;

bool IsAutoRadioWindow(HWND hwnd)
{
    WCHAR name[16];
    return GetClassNameW(hwnd, name, 16) > 0 && _wcsicmp(name, u"BUTTON") == 0 &&
           IsAutoRadio(static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)));
}

bool StartsGroup(HWND hwnd)
{
    return (GetWindowLongW(hwnd, GWL_STYLE) & WS_GROUP) != 0;
}

// A disc of the given diameter, centred in the square at left, top, row by row.
void FillDisc(HDC dc, int left, int top, int diameter, HBRUSH brush)
{
    double radius = diameter / 2.0;
    for (int y = 0; y < diameter; ++y) {
        double dy = y + 0.5 - radius;
        int half = static_cast<int>(std::lround(std::sqrt(std::max(0.0, radius * radius - dy * dy))));
        RECT row = {left + static_cast<int>(radius) - half, top + y, left + static_cast<int>(radius) + half,
                    top + y + 1};
        FillRect(dc, &row, brush);
    }
}

}  // namespace

bool IsAutoRadio(DWORD style)
{
    return (style & kTypeMask) == BS_AUTORADIOBUTTON;
}

void CheckInGroup(HWND button)
{
    HWND first = button;
    while (!StartsGroup(first)) {
        HWND previous = GetWindow(first, GW_HWNDPREV);
        if (!previous)
            break;
        first = previous;
    }
    for (HWND sibling = first; sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling != first && StartsGroup(sibling))
            break;
        if (IsAutoRadioWindow(sibling))
            SendMessageW(sibling, BM_SETCHECK, sibling == button ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void DrawRadioButton(HWND hwnd, HDC dc, const RECT& client, const std::u16string& label, bool checked, HFONT font,
                     bool enabled)
{
    HWND parent = GetParent(hwnd);
    auto chosen = reinterpret_cast<HBRUSH>(SendMessageW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                        reinterpret_cast<LPARAM>(hwnd)));
    const LocalWindow* local = chosen ? nullptr : FindLocalWindow(parent);
    HBRUSH background = chosen ? chosen : local && local->background ? local->background
                                                                      : GetSysColorBrush(COLOR_BTNFACE);
    FillRect(dc, &client, background);
    int top = client.top + (client.bottom - client.top - kCircle) / 2;
    HBRUSH edge = CreateSolidBrush(RGB(0x80, 0x80, 0x80));
    FillDisc(dc, client.left, top, kCircle, edge);
    DeleteObject(edge);
    HBRUSH well = CreateSolidBrush(enabled ? RGB(0xFF, 0xFF, 0xFF) : GetSysColor(COLOR_BTNFACE));
    FillDisc(dc, client.left + 1, top + 1, kCircle - 2, well);
    DeleteObject(well);
    if (checked) {
        HBRUSH dot = CreateSolidBrush(enabled ? RGB(0, 0, 0) : GetSysColor(COLOR_GRAYTEXT));
        FillDisc(dc, client.left + 4, top + 4, kCircle - 8, dot);
        DeleteObject(dot);
    }
    RECT text = client;
    text.left += kCircle + kGap;
    HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    DrawTextW(dc, label.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, previous);
}

}  // namespace platform
