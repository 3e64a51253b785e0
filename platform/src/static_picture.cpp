#include "static_picture.h"

#include <map>

#include "ce/resources.h"
#include "ce/windowing.h"

namespace platform {
namespace {

std::map<HWND, HBITMAP>& Bitmaps()
{
    static std::map<HWND, HBITMAP> bitmaps;
    return bitmaps;
}

void Line(HDC dc, int left, int top, int right, int bottom, int colour)
{
    RECT r = {left, top, right, bottom};
    FillRect(dc, &r, GetSysColorBrush(colour));
}

}  // namespace

HBITMAP StaticBitmap(HWND hwnd, WORD bitmapId)
{
    auto it = Bitmaps().find(hwnd);
    if (it == Bitmaps().end())
        it = Bitmaps().emplace(hwnd, LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId))).first;
    return it->second;
}

void DrawStaticBitmap(HWND hwnd, HDC dc, WORD bitmapId, int x, int y)
{
    HBITMAP bitmap = StaticBitmap(hwnd, bitmapId);
    if (!bitmap)
        return;
    BITMAP info = {};
    GetObjectW(bitmap, sizeof(info), &info);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, bitmap);
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

void DrawEtchedLine(HDC dc, const RECT& client)
{
    Line(dc, client.left, client.top, client.right, client.top + 1, COLOR_BTNSHADOW);
    Line(dc, client.left, client.top + 1, client.right, client.top + 2, COLOR_BTNHIGHLIGHT);
}

void DrawSunkenEdge(HDC dc, const RECT& r)
{
    Line(dc, r.left, r.top, r.right, r.top + 1, COLOR_BTNSHADOW);
    Line(dc, r.left, r.top, r.left + 1, r.bottom, COLOR_BTNSHADOW);
    Line(dc, r.left, r.bottom - 1, r.right, r.bottom, COLOR_BTNHIGHLIGHT);
    Line(dc, r.right - 1, r.top, r.right, r.bottom, COLOR_BTNHIGHLIGHT);
}

void ForgetStaticBitmap(HWND hwnd)
{
    auto it = Bitmaps().find(hwnd);
    if (it == Bitmaps().end())
        return;
    if (it->second)
        DeleteObject(it->second);
    Bitmaps().erase(it);
}

}  // namespace platform
