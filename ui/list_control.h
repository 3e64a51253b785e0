// One column of a string table as a scrolling list: a highlighted current
// row, a drawn scroll bar, stylus selection with drag scrolling and up/down
// keys that wrap. The selection is the table's current row, so the page and
// the list share it; the list never owns the table.
#pragma once

#include "settings/string_table.h"
#include "ui/control.h"

// Runs while the stylus is held on a row, an arrow or a page area; its
// ticks reach the page's OnTimer.
#define LIST_HOLD_TIMER_ID 9899

class ListControl : public Control {
public:
    // The values of scrollPart.
    enum {
        SCROLL_PART_NONE = 0,
        SCROLL_PART_PAGE_UP = 1,
        SCROLL_PART_PAGE_DOWN = 2,
        SCROLL_PART_UP_ARROW = 3,
        SCROLL_PART_DOWN_ARROW = 4,
        SCROLL_PART_THUMB = 5
    };

    explicit ListControl(Page* owner);
    ~ListControl() override;

    void SetBounds(const RECT* bounds, BOOL redraw) override;
    void Draw(HDC dc, const PAINTSTRUCT* paint) override;
    BOOL OnKey(UINT message, WPARAM virtualKey, LPARAM keyData) override;
    BOOL OnScrollStylus(UINT message, WPARAM keys, LPARAM point) override;
    BOOL OnStylus(UINT message, WPARAM keys, LPARAM point) override;

    // One scroll step for the scroll-bar part the stylus holds.
    virtual void ScrollByStylus(UINT message, WPARAM keys, LPARAM point);
    virtual void GetScrollBarParts(const RECT* area, int topRow, int rowTotal, int rowsFit, RECT* bar, RECT* track,
                                   RECT* upArrow, RECT* downArrow, RECT* pageUp, RECT* pageDown, RECT* thumb);
    virtual void DrawArrow(HDC dc, const RECT* arrow, BOOL up);
    // Full rows of rowSize in area, less one: the rows the scroll bar and
    // the paging count with.
    virtual int RowsThatFit(int rowSize, const RECT* area);
    virtual void DrawScrollBar(HDC dc, const RECT* area, int topRow, int rowTotal, int rowsFit);

    // Binds table (NULL: none), works out whether it scrolls and repaints.
    // Call again after the number of rows changed.
    void SetData(StringTable* table);
    // The row numbers of the first and last row in view; both 0 without data.
    void VisibleRange(int* first, int* last) const;
    // Scrolls so that the current row is in view.
    void EnsureSelectionVisible();
    // TRUE when the stylus message belongs to the scroll bar.
    BOOL IsOnScrollBar(UINT message, LPARAM point) const;

    StringTable* data;
    // 1-based; 0 shows the placeholder text.
    int displayColumn;
    // Rows scrolled off above the first visible row.
    int topIndex;
    int rowHeight;
    // Fill the background white before the rows are drawn.
    BOOL opaque;
    // More rows than fit; set by SetData.
    BOOL scrollable;
    // Report selection changes to the page's OnControlChanged.
    BOOL notifyOnChange;
    COLORREF textColour;
    COLORREF highlightColour;
    COLORREF highlightTextColour;
    // Selection and scroll changes repaint through the back buffer at once
    // instead of through WM_PAINT.
    BOOL fastRedraw;
    // Not owned; NULL draws in the default font.
    HFONT font;
    // Held by the stylus: 0 none, 1 page-up area, 2 page-down area, 3 up
    // arrow, 4 down arrow, 5 thumb.
    int scrollPart;
    int scrollBarWidth;
    // Each arrow's height and the thumb's shortest length.
    int arrowHeight;
    RECT innerRect;

private:
    // Rows of rowHeight that fit whole into area.
    int FullRows(const RECT* area) const;
    // 0 without data.
    int RowCount() const;
    // Repaints after a selection or scroll change as fastRedraw asks.
    void Repaint();
    void ReportSelectionChange();
    void DrawRows(HDC dc, const RECT& textArea);
    // A press or a held move over the rows, or above or below them.
    void StylusOnRows(int y);
    // The scroll-bar part under the point, or SCROLL_PART_NONE.
    int ScrollPartAt(POINT at);
    // The stylus is beside the bar by no more than the scaled band.
    BOOL ThumbDragReaches(const RECT& bar, int x) const;
    // The top row for a thumb whose top edge is at y.
    int ThumbRow(const RECT& track, const RECT& thumb, int rowTotal, int rowsFit, int y) const;
    void AfterKeyMove();
    void StartHoldTimer();
    void StopHoldTimer();

    // The window the hold timer runs on; NULL while none runs.
    HWND m_holdTimerWindow;
};
