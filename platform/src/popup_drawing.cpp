#include "popup_drawing.h"

#include <algorithm>

#include "ce/gdi.h"
#include "ce/text.h"
#include "message_box_drawing.h"
#include "paint_helpers.h"

namespace platform {
namespace {

constexpr COLORREF kPanel = RGB(255, 255, 255);
constexpr COLORREF kFrame = RGB(99, 117, 156);
constexpr COLORREF kText = RGB(0, 0, 0);
constexpr COLORREF kGrayedText = RGB(148, 148, 148);
constexpr COLORREF kHighlight = RGB(0, 48, 140);
constexpr COLORREF kHighlightText = RGB(255, 255, 255);
constexpr COLORREF kSeparator = RGB(165, 186, 222);

constexpr UINT kTextFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;


void Frame(HDC dc, const RECT& r, LONG width, COLORREF colour)
{
    Fill(dc, RECT{r.left, r.top, r.right, r.top + width}, colour);
    Fill(dc, RECT{r.left, r.bottom - width, r.right, r.bottom}, colour);
    Fill(dc, RECT{r.left, r.top, r.left + width, r.bottom}, colour);
    Fill(dc, RECT{r.right - width, r.top, r.right, r.bottom}, colour);
}

// A tick in the box: a short stroke down, a long one up, two pixels thick
// at 96 dpi.
void CheckMark(HDC dc, const RECT& box, LONG thickness, COLORREF colour)
{
    LONG width = box.right - box.left;
    LONG height = box.bottom - box.top;
    LONG knee = width / 3;
    for (LONG x = 0; x < width; ++x) {
        LONG y = x <= knee ? height / 2 + (height - height / 2) * x / std::max<LONG>(knee, 1)
                           : height - height * (x - knee) / std::max<LONG>(width - 1 - knee, 1);
        LONG bottom = std::min(box.top + y + 1, box.bottom);
        Fill(dc, RECT{box.left + x, std::max(box.top, bottom - thickness - 1), box.left + x + 1, bottom}, colour);
    }
}

// A triangle pointing right, centred on the point.
void SubmenuArrow(HDC dc, POINT centre, LONG size, COLORREF colour)
{
    LONG half = size / 2;
    LONG left = centre.x - half / 2;
    for (LONG i = 0; i <= half; ++i)
        Fill(dc, RECT{left + i, centre.y - (half - i), left + i + 1, centre.y + (half - i) + 1}, colour);
}

// A triangle pointing up (direction -1) or down (+1), centred on the point.
void ScrollArrow(HDC dc, POINT centre, LONG size, int direction, COLORREF colour)
{
    LONG half = size / 2;
    for (LONG i = 0; i <= half; ++i) {
        LONG y = direction < 0 ? centre.y - half / 2 + i : centre.y + half / 2 - i;
        Fill(dc, RECT{centre.x - i, y, centre.x + i + 1, y + 1}, colour);
    }
}

void DrawItem(HDC dc, const RECT& r, const PopupItemLook& item, bool selected, const PopupMetrics& metrics, HFONT font)
{
    if (item.separator) {
        LONG y = (r.top + r.bottom) / 2;
        Fill(dc, RECT{r.left + metrics.textPadding, y, r.right - metrics.textPadding, y + metrics.border}, kSeparator);
        return;
    }
    if (selected)
        Fill(dc, r, kHighlight);
    COLORREF ink = selected ? kHighlightText : (item.grayed ? kGrayedText : kText);
    LONG mark = metrics.checkColumn / 2;
    if (item.checked) {
        LONG top = (r.top + r.bottom - mark) / 2;
        LONG left = r.left + (metrics.checkColumn - mark) / 2;
        CheckMark(dc, RECT{left, top, left + mark, top + mark}, std::max<LONG>(1, metrics.border), ink);
    }
    if (item.popup)
        SubmenuArrow(dc, POINT{r.right - metrics.arrowColumn / 2, (r.top + r.bottom) / 2}, mark, ink);
    RECT text = {r.left + metrics.checkColumn, r.top, r.right - metrics.arrowColumn, r.bottom};
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ink);
    DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text, kTextFormat);
    SelectObject(dc, old);
}

}  // namespace

std::vector<LONG> MeasurePopupTexts(const std::vector<PopupItemLook>& items, int dpi)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateMessageBoxFont(dpi, false);
    HGDIOBJ old = SelectObject(dc, font);
    std::vector<LONG> widths;
    for (const PopupItemLook& item : items) {
        RECT r = {0, 0, 0, 0};
        if (!item.separator && !item.text.empty())
            DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &r,
                      DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        widths.push_back(r.right - r.left);
    }
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return widths;
}

void DrawPopupLevel(HDC dc, const PopupGeometry& geometry, const std::vector<PopupItemLook>& items, LONG offset,
                    int selected, const PopupMetrics& metrics, int dpi)
{
    RECT client = {0, 0, geometry.window.right - geometry.window.left, geometry.window.bottom - geometry.window.top};
    Fill(dc, client, kPanel);
    HFONT font = CreateMessageBoxFont(dpi, false);
    // Items draw only between the bands, so that a scrolled one is cut there.
    HRGN view = CreateRectRgn(client.left, geometry.ViewTop(), client.right, geometry.ViewBottom());
    SelectClipRgn(dc, view);
    for (size_t i = 0; i < items.size(); ++i) {
        RECT r = ScrolledItem(geometry, offset, i);
        if (r.bottom > geometry.ViewTop() && r.top < geometry.ViewBottom())
            DrawItem(dc, r, items[i], static_cast<int>(i) == selected, metrics, font);
    }
    SelectClipRgn(dc, nullptr);
    DeleteObject(view);
    if (geometry.band > 0) {
        LONG rows = geometry.ViewBottom() - geometry.ViewTop();
        bool up = offset > 0;
        bool down = offset + rows < geometry.contentHeight;
        LONG size = geometry.band - 2 * metrics.border;
        ScrollArrow(dc, POINT{client.right / 2, geometry.border + geometry.band / 2}, size, -1, up ? kText : kGrayedText);
        ScrollArrow(dc, POINT{client.right / 2, geometry.ViewBottom() + geometry.band / 2}, size, 1,
                    down ? kText : kGrayedText);
    }
    DeleteObject(font);
    Frame(dc, client, metrics.border, kFrame);
}

}  // namespace platform
