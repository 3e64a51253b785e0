#include "ui/list_control.h"

#include <cmath>

#include "graphics/screen_metrics.h"
#include "ui/drawing_primitives.h"
#include "ui/page.h"
#include "ui/skin_window.h"

// The last stylus point any list saw; the thumb drag compares each move
// with it.
static POINT s_lastStylus = {0, 0};

static const WCHAR kPlaceholder[] = TEXT("No list data...");
static const UINT kHoldTimerPeriod = 500;
// Titles are data, not menu texts: an ampersand is shown as it is.
static const UINT kRowFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
// How far beside the bar, in QVGA pixels, a thumb drag still counts.
static const double kThumbBand = 5.0;

static POINT StylusPoint(LPARAM point)
{
    POINT at = {(short)LOWORD(point), (short)HIWORD(point)};
    return at;
}

static void RememberStylus(LPARAM point)
{
    s_lastStylus = StylusPoint(point);
}

static int HeightOf(const RECT* area)
{
    return area->bottom - area->top;
}

// A line from left to right (exclusive) on row y with the DC's pen.
static void HorizontalLine(HDC dc, int left, int right, int y)
{
    POINT points[2] = {{left, y}, {right, y}};
    Polyline(dc, points, 2);
}

static void Outline(HDC dc, const RECT& area)
{
    DrawOutline(dc, area.left, area.top, area.right, area.bottom);
}

ListControl::ListControl(Page* owner)
    : Control(owner),
      data(NULL),
      displayColumn(0),
      topIndex(0),
      rowHeight(TextHeightDefault(NULL)),
      opaque(TRUE),
      scrollable(FALSE),
      notifyOnChange(TRUE),
      textColour(RGB(0, 0, 0)),
      highlightColour(GetSysColor(COLOR_HIGHLIGHT)),
      highlightTextColour(GetSysColor(COLOR_HIGHLIGHTTEXT)),
      fastRedraw(TRUE),
      font(NULL),
      scrollPart(SCROLL_PART_NONE),
      scrollBarWidth((int)(13.0 * GetScreenMetrics().scaleX)),
      arrowHeight((int)(20.0 * GetScreenMetrics().scaleX)),
      m_holdTimerWindow(NULL)
{
    innerRect.left = innerRect.top = innerRect.right = innerRect.bottom = 0;
}

ListControl::~ListControl()
{
    StopHoldTimer();
}

void ListControl::SetBounds(const RECT* bounds, BOOL redraw)
{
    innerRect = *bounds;
    Control::SetBounds(bounds, redraw);
}

int ListControl::FullRows(const RECT* area) const
{
    // Without a font the text height may come out 0; no row fits then.
    return rowHeight > 0 ? HeightOf(area) / rowHeight : 0;
}

int ListControl::RowCount() const
{
    return data ? data->rowCount : 0;
}

int ListControl::RowsThatFit(int rowSize, const RECT* area)
{
    return (rowSize > 0 ? HeightOf(area) / rowSize : 0) - 1;
}

void ListControl::SetData(StringTable* table)
{
    data = table;
    scrollable = table != NULL && table->rowCount > FullRows(&innerRect);
    EnsureSelectionVisible();
    Invalidate();
}

void ListControl::VisibleRange(int* first, int* last) const
{
    if (data == NULL) {
        *first = *last = 0;
        return;
    }
    *first = topIndex + 1;
    *last = *first + FullRows(&innerRect);
    if (*first > data->rowCount)
        *first = data->rowCount;
}

void ListControl::EnsureSelectionVisible()
{
    if (data == NULL)
        return;
    int first, last;
    VisibleRange(&first, &last);
    int span = last - first - 1;
    int selected = data->currentRow;
    if (selected < first) {
        // Page up: the selection becomes the last full row.
        topIndex = topIndex + selected - span - first;
        if (topIndex < 1)
            topIndex = 0;
    } else if (selected >= last) {
        // Page down: the row before the selection comes to the top.
        topIndex = topIndex + (selected - last) + span;
        int lowest = data->rowCount - RowsThatFit(rowHeight, &innerRect);
        if (topIndex > lowest)
            topIndex = lowest;
    }
    if (!scrollable)
        topIndex = 0;
}

BOOL ListControl::IsOnScrollBar(UINT message, LPARAM point) const
{
    if (scrollPart != SCROLL_PART_NONE)
        return TRUE;
    if (message != WM_LBUTTONDOWN && message != WM_LBUTTONUP)
        return FALSE;
    RECT strip = innerRect;
    strip.left = strip.right - scrollBarWidth;
    return PtInRect(&strip, StylusPoint(point));
}

void ListControl::Repaint()
{
    if (fastRedraw)
        RedrawThroughBuffer(this);
    else
        Invalidate();
}

void ListControl::StartHoldTimer()
{
    HWND window = owner->Window()->Window();
    if (window == NULL)
        return;
    SetTimer(window, LIST_HOLD_TIMER_ID, kHoldTimerPeriod, NULL);
    m_holdTimerWindow = window;
}

void ListControl::StopHoldTimer()
{
    // The window is kept from the start: the page may be going away
    // with its window when the list is deleted.
    if (m_holdTimerWindow == NULL)
        return;
    KillTimer(m_holdTimerWindow, LIST_HOLD_TIMER_ID);
    m_holdTimerWindow = NULL;
}

void ListControl::ReportSelectionChange()
{
    if (notifyOnChange)
        owner->OnControlChanged(this);
}

// ---- Drawing ----

void ListControl::Draw(HDC dc, const PAINTSTRUCT*)
{
    if (opaque)
        FillColour(dc, rect.left, rect.top, scrollable ? rect.right - scrollBarWidth : rect.right, rect.bottom,
                   RGB(255, 255, 255));
    if (frame)
        Outline(dc, rect);

    RECT textArea = innerRect;
    InflateRect(&textArea, -1, -1);
    RECT barArea = rect;
    if (focusFrame && owner->FocusedControl() == this) {
        InflateRect(&barArea, -1, -1);
        Outline(dc, barArea);
        InflateRect(&textArea, -1, -1);
    }
    if (scrollable && data) {
        textArea.right -= scrollBarWidth;
        DrawScrollBar(dc, &barArea, topIndex, data->rowCount, RowsThatFit(rowHeight, &barArea));
    }

    COLORREF savedColour = GetTextColor(dc);
    if (data == NULL || displayColumn == 0) {
        SetTextColor(dc, textColour);
        DrawTextTransparent(dc, kPlaceholder, -1, &textArea, DT_LEFT | DT_TOP, font);
    } else if (data->rowCount > 0) {
        DrawRows(dc, textArea);
    }
    SetTextColor(dc, savedColour);
}

void ListControl::DrawRows(HDC dc, const RECT& textArea)
{
    // The last row is partly visible; the clip cuts it at the edge.
    HRGN clip = CreateRectRgnIndirect(&innerRect);
    SelectClipRgn(dc, clip);
    int first, last;
    VisibleRange(&first, &last);
    int rowTop = textArea.top;
    for (int number = first; number <= last && number <= data->rowCount; ++number) {
        BOOL current = number == data->currentRow;
        if (current)
            FillColour(dc, textArea.left, rowTop, textArea.right, rowTop + rowHeight, highlightColour);
        const WCHAR* cell = data->GetCell(number, displayColumn);
        if (cell && cell[0]) {
            RECT row = {textArea.left + 2, rowTop, textArea.right, rowTop + rowHeight};
            SetTextColor(dc, current ? highlightTextColour : textColour);
            DrawTextTransparent(dc, cell, -1, &row, kRowFormat, font);
        }
        rowTop += rowHeight;
    }
    SelectClipRgn(dc, NULL);
    DeleteObject(clip);
}

void ListControl::GetScrollBarParts(const RECT* area, int topRow, int rowTotal, int rowsFit, RECT* bar, RECT* track,
                                    RECT* upArrow, RECT* downArrow, RECT* pageUp, RECT* pageDown, RECT* thumb)
{
    SetRect(bar, area->right - scrollBarWidth, area->top, area->right, area->bottom);
    SetRect(upArrow, bar->left, bar->top, bar->right, bar->top + arrowHeight);
    SetRect(downArrow, bar->left, bar->bottom - arrowHeight, bar->right, bar->bottom);
    SetRect(track, bar->left, upArrow->bottom, bar->right, downArrow->top);
    double length = HeightOf(track);

    double thumbLength = length;
    double thumbOffset = 0.0;
    if (rowTotal > rowsFit) {
        thumbLength = (double)rowsFit / rowTotal * length;
        if (thumbLength <= arrowHeight)
            thumbLength = arrowHeight;
        thumbOffset = std::ceil((length - thumbLength) / (rowTotal - rowsFit) * topRow);
    }
    int thumbTop = track->top + (int)thumbOffset;
    SetRect(thumb, track->left, thumbTop, track->right, thumbTop + (int)thumbLength);
    SetRect(pageUp, track->left, track->top, track->right, thumb->top);
    SetRect(pageDown, track->left, thumb->bottom, track->right, downArrow->top);
}

void ListControl::DrawScrollBar(HDC dc, const RECT* area, int topRow, int rowTotal, int rowsFit)
{
    RECT bar, track, upArrow, downArrow, pageUp, pageDown, thumb;
    GetScrollBarParts(area, topRow, rowTotal, rowsFit, &bar, &track, &upArrow, &downArrow, &pageUp, &pageDown,
                      &thumb);
    FillColour(dc, bar.left, bar.top, bar.right, bar.bottom, GetSysColor(COLOR_WINDOW));
    COLORREF partColour = GetSysColor(COLOR_SCROLLBAR);
    FillColour(dc, upArrow.left, upArrow.top, upArrow.right, upArrow.bottom, partColour);
    FillColour(dc, downArrow.left, downArrow.top, downArrow.right, downArrow.bottom, partColour);
    FillColour(dc, thumb.left, thumb.top, thumb.right, thumb.bottom, partColour);

    RECT grip = thumb;
    InflateRect(&grip, -2, -2);
    int middle = (grip.top + grip.bottom) / 2;
    for (int y = middle - 2; y <= middle + 2; y += 2)
        HorizontalLine(dc, grip.left + 1, grip.right, y);

    Outline(dc, bar);
    Outline(dc, downArrow);
    Outline(dc, upArrow);
    Outline(dc, thumb);
    DrawArrow(dc, &upArrow, TRUE);
    DrawArrow(dc, &downArrow, FALSE);
}

void ListControl::DrawArrow(HDC dc, const RECT* arrow, BOOL up)
{
    int cx = arrow->left + (arrow->right - arrow->left) / 2 + 1;
    int cy = arrow->top + HeightOf(arrow) / 2;
    // 2, 4 and 6 pixels wide, the narrowest line at the arrow's point.
    for (int k = 1; k <= 3; ++k) {
        int y = up ? cy - 2 + k : cy + 2 - k;
        HorizontalLine(dc, cx - k, cx + k, y);
    }
}

// ---- Stylus ----

BOOL ListControl::OnStylus(UINT message, WPARAM keys, LPARAM point)
{
    if (IsOnScrollBar(message, point))
        return OnScrollStylus(message, keys, point);
    BOOL captured = owner->StylusCapture() == this;
    if (message == WM_LBUTTONDOWN || (message == WM_MOUSEMOVE && captured)) {
        RememberStylus(point);
        StylusOnRows(StylusPoint(point).y);
        if (message == WM_LBUTTONDOWN) {
            owner->SetStylusCapture(this);
            StartHoldTimer();
        }
        return TRUE;
    }
    if (message == WM_LBUTTONUP && captured) {
        owner->SetStylusCapture(NULL);
        StopHoldTimer();
    }
    return FALSE;
}

void ListControl::StylusOnRows(int y)
{
    if (y < innerRect.top) {
        // Held above the list: one row back for every move.
        if (topIndex > 0)
            --topIndex;
        Repaint();
        return;
    }
    if (y >= innerRect.bottom) {
        // Rows that all fit never scroll: the last one would hide the first
        // with no scroll bar to bring it back.
        int lowest = scrollable ? RowCount() - RowsThatFit(rowHeight, &innerRect) : 0;
        topIndex = topIndex + 1 > lowest ? lowest : topIndex + 1;
        if (topIndex < 0)
            topIndex = 0;
        Repaint();
        return;
    }
    int offset = rowHeight > 0 ? (y - innerRect.top - 1) / rowHeight : -1;
    if (offset < 0 || data == NULL)
        return;
    int first, last;
    VisibleRange(&first, &last);
    int chosen = first + offset;
    if (chosen == data->currentRow)
        return;
    // A tap below the last row picks the last row.
    data->currentRow = chosen > data->rowCount ? data->rowCount : chosen;
    EnsureSelectionVisible();
    ReportSelectionChange();
    Repaint();
}

BOOL ListControl::OnScrollStylus(UINT message, WPARAM keys, LPARAM point)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        RememberStylus(point);
        scrollPart = ScrollPartAt(StylusPoint(point));
        if (scrollPart != SCROLL_PART_NONE) {
            owner->SetStylusCapture(this);
            if (scrollPart != SCROLL_PART_THUMB)
                StartHoldTimer();
        }
        return TRUE;
    case WM_MOUSEMOVE:
        if (scrollPart != SCROLL_PART_NONE)
            ScrollByStylus(message, keys, point);
        RememberStylus(point);
        return TRUE;
    case WM_LBUTTONUP:
        scrollPart = SCROLL_PART_NONE;
        owner->SetStylusCapture(NULL);
        StopHoldTimer();
        Invalidate();
        return TRUE;
    }
    return FALSE;
}

int ListControl::ScrollPartAt(POINT at)
{
    RECT bar, track, upArrow, downArrow, pageUp, pageDown, thumb;
    GetScrollBarParts(&innerRect, topIndex, RowCount(), RowsThatFit(rowHeight, &innerRect), &bar, &track,
                      &upArrow, &downArrow, &pageUp, &pageDown, &thumb);
    // In the order of the part numbers, a later hit replacing an earlier one.
    const RECT* parts[] = {&pageUp, &pageDown, &upArrow, &downArrow, &thumb};
    int hit = SCROLL_PART_NONE;
    for (int i = 0; i < 5; ++i) {
        if (PtInRect(parts[i], at))
            hit = i + 1;
    }
    return hit;
}

void ListControl::ScrollByStylus(UINT, WPARAM, LPARAM point)
{
    int rowTotal = RowCount();
    int rowsFit = RowsThatFit(rowHeight, &innerRect);
    RECT bar, track, upArrow, downArrow, pageUp, pageDown, thumb;
    GetScrollBarParts(&innerRect, topIndex, rowTotal, rowsFit, &bar, &track, &upArrow, &downArrow, &pageUp,
                      &pageDown, &thumb);
    POINT at = StylusPoint(point);
    int target = topIndex;
    switch (scrollPart) {
    case SCROLL_PART_PAGE_UP:
        if (PtInRect(&pageUp, at))
            target -= rowsFit;
        break;
    case SCROLL_PART_PAGE_DOWN:
        if (PtInRect(&pageDown, at))
            target += rowsFit;
        break;
    case SCROLL_PART_UP_ARROW:
        if (PtInRect(&upArrow, at))
            target -= 1;
        break;
    case SCROLL_PART_DOWN_ARROW:
        if (PtInRect(&downArrow, at))
            target += 1;
        break;
    case SCROLL_PART_THUMB:
        if (at.y != s_lastStylus.y && ThumbDragReaches(bar, at.x))
            target = ThumbRow(track, thumb, rowTotal, rowsFit, at.y);
        break;
    }
    if (target == topIndex)
        return;
    if (target > rowTotal - rowsFit)
        target = rowTotal - rowsFit;
    if (target < 0)
        target = 0;
    topIndex = target;
    if (fastRedraw)
        RedrawThroughBuffer(this);
    else
        RedrawNow();
}

BOOL ListControl::ThumbDragReaches(const RECT& bar, int x) const
{
    int band = (int)(kThumbBand * GetScreenMetrics().scaleX);
    return x >= bar.left - band && x < bar.right + band;
}

int ListControl::ThumbRow(const RECT& track, const RECT& thumb, int rowTotal, int rowsFit, int y) const
{
    // With no rows to scroll the thumb fills the track and a pixel is a row.
    double pixelsPerRow = 0.0;
    if (rowTotal != rowsFit)
        pixelsPerRow = (double)(HeightOf(&track) - HeightOf(&thumb)) / (rowTotal - rowsFit);
    if (pixelsPerRow == 0.0)
        pixelsPerRow = 1.0;
    return (int)((y - track.top) / pixelsPerRow);
}

// ---- Keys ----

BOOL ListControl::OnKey(UINT message, WPARAM virtualKey, LPARAM)
{
    if (message != WM_KEYDOWN)
        return FALSE;
    switch (virtualKey) {
    case VK_UP:
        if (data == NULL)
            return FALSE;
        if (data->currentRow == 1 && owner->OnListEdge(this, TRUE)) {
            Invalidate();
            return TRUE;
        }
        if (--data->currentRow < 1)
            data->currentRow = data->rowCount;
        AfterKeyMove();
        return TRUE;
    case VK_DOWN:
        if (data) {
            if (data->currentRow == data->rowCount && owner->OnListEdge(this, FALSE)) {
                Invalidate();
                return TRUE;
            }
            if (++data->currentRow > data->rowCount)
                data->currentRow = 1;
        }
        AfterKeyMove();
        return TRUE;
    case VK_RETURN:
        return owner->OnControlAction(this);
    }
    return FALSE;
}

void ListControl::AfterKeyMove()
{
    EnsureSelectionVisible();
    ReportSelectionChange();
    Repaint();
    owner->OnListMoved(this);
}
