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
    // Full rows of rowHeight in rect, less one.
    virtual int RowsThatFit(int height, const RECT* area);
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
    // Repaints after a selection or scroll change as fastRedraw asks.
    void Repaint();
};
