// Where a popup menu level and its items sit: the level's size from its
// items, its place on the screen (at TrackPopupMenu's point or beside the
// item that opened it, always inside the screen), scrolling when it is
// taller than the screen, and moving the selection.
#pragma once

#include <string>
#include <vector>

#include "ce/types.h"

namespace platform {

struct PopupItemLook {
    std::u16string text;
    bool separator = false;
    bool popup = false;
    bool checked = false;
    bool grayed = false;
};

struct PopupGeometry {
    RECT window{};            // screen coordinates
    std::vector<RECT> items;  // client coordinates before scrolling
    LONG border = 0;
    LONG band = 0;           // height of each scroll band; 0 when the level does not scroll
    LONG contentHeight = 0;  // all items
    // The client rows the items show in, inside the frame and the bands.
    LONG ViewTop() const { return border + band; }
    LONG ViewBottom() const { return window.bottom - window.top - border - band; }
};

// 96-dpi sizes scaled for the screen.
struct PopupMetrics {
    explicit PopupMetrics(int dpi);
    LONG itemHeight;
    LONG separatorHeight;
    LONG border;
    LONG checkColumn;   // left of the text: the check mark
    LONG arrowColumn;   // right of the text: the submenu arrow
    LONG textPadding;
    LONG minWidth;
    LONG scrollBand;
    LONG submenuOverlap;
};

// The level's size: as wide as its widest text (textWidths, one per item)
// and as tall as its items, both at most the screen's.
SIZE PopupSize(const std::vector<PopupItemLook>& items, const std::vector<LONG>& textWidths,
               const PopupMetrics& metrics, const RECT& screen);

// The window at TrackPopupMenu's point with its alignment flags. A level that
// does not fit on that side of the point goes to the other side (left of it
// instead of right, above instead of below) when it fits there, and is
// pushed inside the screen otherwise.
RECT PlaceAtPoint(SIZE size, POINT point, UINT flags, const RECT& screen);

// A submenu's window: to the right of its parent level, its first item level
// with the item that opened it, else to the left of the parent, pushed inside
// the screen.
RECT PlaceBeside(SIZE size, const RECT& parent, LONG itemTop, const PopupMetrics& metrics, const RECT& screen);

// The item rectangles for a level placed at window.
PopupGeometry LayOutPopup(const std::vector<PopupItemLook>& items, const RECT& window, const PopupMetrics& metrics);

// The item under a client point once scrolled by offset, or -1; points in the
// scroll bands hit no item.
int PopupItemAt(const PopupGeometry& geometry, LONG offset, POINT client);

// An item's client rectangle once scrolled by offset.
RECT ScrolledItem(const PopupGeometry& geometry, LONG offset, size_t index);

// The scroll offset, kept in its range, that shows the item whole.
LONG ScrollToShow(const PopupGeometry& geometry, LONG offset, size_t index);
// The offset after one step of a scroll band (-1 up, +1 down).
LONG ScrollStep(const PopupGeometry& geometry, LONG offset, int direction, const PopupMetrics& metrics);

// The next item UP (step -1) or DOWN (step +1) from index (-1: none yet),
// wrapping around and passing over separators; -1 when there is none.
int NextSelectable(const std::vector<PopupItemLook>& items, int index, int step);

}  // namespace platform
