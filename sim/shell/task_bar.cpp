#include "task_bar.h"

#include "shell_drawing.h"

namespace shell {
namespace {

// Where the active window's title begins, right of the Start flag.
int TitleLeft()
{
    return Scaled(28);
}

// The four panes of the Windows flag.
void DrawStartFlag(HDC dc, int left, int top)
{
    int pane = Scaled(7);
    int gap = Scaled(1);
    const COLORREF colours[4] = {RGB(247, 73, 24), RGB(123, 198, 33), RGB(33, 150, 239), RGB(255, 198, 0)};
    for (int i = 0; i < 4; ++i) {
        int x = left + (i % 2) * (pane + gap);
        int y = top + (i / 2) * (pane + gap);
        RECT r = {x, y, x + pane, y + pane};
        Fill(dc, r, colours[i]);
    }
}

// A battery outline filled to the charge, green above a fifth, red below.
void DrawBattery(HDC dc, int left, int centreY)
{
    SYSTEM_POWER_STATUS_EX2 power = {};
    GetSystemPowerStatusEx2(&power, sizeof power, FALSE);
    int percent = power.BatteryLifePercent <= 100 ? power.BatteryLifePercent : 0;
    int width = Scaled(18);
    int height = Scaled(9);
    RECT body = {left, centreY - height / 2, left + width, centreY - height / 2 + height};
    RECT tip = {body.right, centreY - Scaled(2), body.right + Scaled(2), centreY + Scaled(2)};
    Fill(dc, body, RGB(255, 255, 255));
    Fill(dc, tip, RGB(255, 255, 255));
    int edge = Scaled(1);
    RECT inside = {body.left + edge, body.top + edge, body.right - edge, body.bottom - edge};
    Fill(dc, inside, RGB(0, 40, 110));
    RECT charge = inside;
    charge.right = inside.left + (inside.right - inside.left) * percent / 100;
    Fill(dc, charge, percent > 20 ? RGB(90, 214, 66) : RGB(239, 56, 41));
}

}  // namespace

bool IsOnStartFlag(const RECT& client, POINT point)
{
    return point.x >= client.left && point.x < client.left + TitleLeft() && point.y >= client.top &&
           point.y < client.bottom;
}

UINT UntilNextMinute()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return (60 - now.wSecond) * 1000 - now.wMilliseconds;
}

void DrawTaskBar(HDC dc, const RECT& client, HWND desktop)
{
    Gradient(dc, client, kBarTop, kBarBottom);
    int height = client.bottom - client.top;
    int flagSize = Scaled(15);
    DrawStartFlag(dc, Scaled(6), (height - flagSize) / 2);

    SYSTEMTIME now;
    GetLocalTime(&now);
    WCHAR clock[16];
    wsprintfW(clock, TEXT("%d:%02d"), now.wHour % 12 == 0 ? 12 : now.wHour % 12, now.wMinute);
    HFONT normal = CreateShellFont(8, false);
    RECT clockRect = {client.right - Scaled(36), 0, client.right - Scaled(4), height};
    DrawShellText(dc, clock, clockRect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE, RGB(255, 255, 255), normal);
    DrawBattery(dc, clockRect.left - Scaled(24), height / 2);

    HWND active = GetForegroundWindow();
    WCHAR title[128] = TEXT("Start");
    if (active && active != desktop)
        GetWindowTextW(active, title, 128);
    HFONT bold = CreateShellFont(9, true);
    RECT titleRect = {TitleLeft(), 0, clockRect.left - Scaled(28), height};
    DrawShellText(dc, title, titleRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS, RGB(255, 255, 255),
                  bold);
    DeleteObject(bold);
    DeleteObject(normal);
}

}  // namespace shell
