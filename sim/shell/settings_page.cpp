#include "settings_page.h"

#include "shell_drawing.h"

namespace shell {
namespace {

const int kHeaderHeight = 24;
const int kRowHeight = 20;

}  // namespace

void PaintSettingsPage(HWND hwnd, const WCHAR* title, const std::vector<SettingsRow>& rows)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    Fill(dc, client, RGB(255, 255, 255));
    HFONT bold = CreateShellFont(9, true);
    HFONT normal = CreateShellFont(8, false);
    RECT header = {Scaled(6), 0, client.right, Scaled(kHeaderHeight)};
    DrawShellText(dc, title, header, DT_LEFT | DT_VCENTER | DT_SINGLELINE, RGB(0, 32, 99), bold);
    for (size_t row = 0; row < rows.size(); ++row) {
        int top = Scaled(kHeaderHeight + static_cast<int>(row) * kRowHeight);
        RECT line = {Scaled(6), top, client.right - Scaled(6), top + Scaled(kRowHeight)};
        DrawShellText(dc, rows[row].name.c_str(), line, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS,
                      RGB(0, 0, 0), normal);
        DrawShellText(dc, rows[row].action, line, DT_RIGHT | DT_VCENTER | DT_SINGLELINE,
                      rows[row].actionable ? kBarTop : RGB(160, 160, 160), normal);
    }
    DeleteObject(normal);
    DeleteObject(bold);
    EndPaint(hwnd, &ps);
}

int SettingsRowAt(int y)
{
    int below = y - Scaled(kHeaderHeight);
    return below >= 0 ? below / Scaled(kRowHeight) : -1;
}

// Over the work area, as the device's settings pages are.
HWND CreateSettingsPage(HINSTANCE instance, const WCHAR* className, const WCHAR* title)
{
    RECT work;
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
        SetRect(&work, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return CreateWindowExW(0, className, title, WS_POPUP | WS_VISIBLE, work.left, work.top, work.right - work.left,
                           work.bottom - work.top, NULL, NULL, instance, NULL);
}

}  // namespace shell
