#include "today_screen.h"

#include "shell_drawing.h"

namespace shell {
namespace {

const LPCWSTR kDays[] = {TEXT("Sunday"),   TEXT("Monday"), TEXT("Tuesday"), TEXT("Wednesday"),
                         TEXT("Thursday"), TEXT("Friday"), TEXT("Saturday")};
const LPCWSTR kMonths[] = {TEXT("January"), TEXT("February"), TEXT("March"),     TEXT("April"),
                           TEXT("May"),     TEXT("June"),     TEXT("July"),      TEXT("August"),
                           TEXT("September"), TEXT("October"), TEXT("November"), TEXT("December")};

// A small calendar leaf: a red band over a white page.
void DrawCalendarIcon(HDC dc, int left, int top)
{
    int size = Scaled(14);
    RECT page = {left, top, left + size, top + size};
    Fill(dc, page, RGB(99, 117, 156));
    RECT inside = {page.left + Scaled(1), page.top + Scaled(1), page.right - Scaled(1), page.bottom - Scaled(1)};
    Fill(dc, inside, RGB(255, 255, 255));
    RECT band = {inside.left, inside.top, inside.right, inside.top + Scaled(4)};
    Fill(dc, band, RGB(214, 48, 33));
}

const COLORREF kPageTop = RGB(255, 255, 255);
const COLORREF kPageBottom = RGB(206, 223, 247);

void DrawDateLine(HDC dc, const RECT& row, bool selected)
{
    if (selected)
        Fill(dc, row, kTodayHighlight);
    SYSTEMTIME now;
    GetLocalTime(&now);
    WCHAR date[64];
    wsprintfW(date, TEXT("%s, %s %d, %d"), kDays[now.wDayOfWeek % 7], kMonths[(now.wMonth + 11) % 12], now.wDay,
              now.wYear);
    int height = row.bottom - row.top;
    DrawCalendarIcon(dc, row.left + Scaled(6), row.top + (height - Scaled(14)) / 2);
    HFONT bold = CreateShellFont(8, true);
    RECT text = {row.left + Scaled(28), row.top, row.right - Scaled(4), row.bottom};
    DrawShellText(dc, date, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS,
                  selected ? kTodayHighlightedText : kTodayText, bold);
    DeleteObject(bold);
    RECT rule = {row.left, row.bottom - Scaled(1), row.right, row.bottom};
    Fill(dc, rule, RGB(165, 186, 222));
}

// The Today screen's soft keys and, between them, the input panel button.
void DrawSoftKeyBar(HDC dc, const RECT& bar)
{
    Gradient(dc, bar, kBarTop, kBarBottom);
    int middle = (bar.left + bar.right) / 2;
    int sip = Scaled(18);
    HFONT bold = CreateShellFont(9, true);
    RECT left = {bar.left, bar.top, middle - sip, bar.bottom};
    RECT right = {middle + sip, bar.top, bar.right, bar.bottom};
    DrawShellText(dc, TEXT("Calendar"), left, DT_CENTER | DT_VCENTER | DT_SINGLELINE, RGB(255, 255, 255), bold);
    DrawShellText(dc, TEXT("Contacts"), right, DT_CENTER | DT_VCENTER | DT_SINGLELINE, RGB(255, 255, 255), bold);
    DeleteObject(bold);

    // A keyboard: a light key block with two rows of keys.
    int height = bar.bottom - bar.top;
    RECT keyboard = {middle - Scaled(11), bar.top + (height - Scaled(12)) / 2, middle + Scaled(11), 0};
    keyboard.bottom = keyboard.top + Scaled(12);
    Fill(dc, keyboard, RGB(231, 239, 255));
    for (int row = 0; row < 2; ++row)
        for (int key = 0; key < 5; ++key) {
            int x = keyboard.left + Scaled(2) + key * Scaled(4);
            int y = keyboard.top + Scaled(2) + row * Scaled(4);
            RECT k = {x, y, x + Scaled(3), y + Scaled(3)};
            Fill(dc, k, RGB(0, 48, 140));
        }
}

}  // namespace

RECT TodayPage(const RECT& client)
{
    RECT work;
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
        work = client;
    RECT page = {client.left, work.top, client.right, client.bottom - Scaled(26)};
    return page;
}

RECT TodayDateLine(const RECT& client)
{
    RECT page = TodayPage(client);
    RECT row = {page.left, page.top, page.right, page.top + Scaled(22)};
    return row;
}

void DrawTodayScreen(HDC dc, const RECT& client, bool dateSelected)
{
    RECT page = TodayPage(client);
    RECT bar = {client.left, page.bottom, client.right, client.bottom};
    Gradient(dc, page, kPageTop, kPageBottom);
    DrawDateLine(dc, TodayDateLine(client), dateSelected);
    DrawSoftKeyBar(dc, bar);
}

void DrawTodayBackground(HDC dc, const RECT& client, const RECT& part, POINT origin)
{
    RECT shifted = {origin.x, part.top, origin.x + part.right - part.left, part.bottom};
    GradientPart(dc, shifted, TodayPage(client), kPageTop, kPageBottom, origin.y - part.top);
}

}  // namespace shell
