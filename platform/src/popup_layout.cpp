#include "popup_layout.h"

#include <algorithm>

#include "ce/menus.h"
#include "paint_helpers.h"

namespace platform {
namespace {


// start pushed so that [start, start + length) lies in [low, high) where it
// can; a level longer than the range starts at low.
LONG Inside(LONG start, LONG length, LONG low, LONG high) { return std::max(low, std::min(start, high - length)); }

bool Fits(LONG start, LONG length, LONG low, LONG high) { return start >= low && start + length <= high; }

// One axis of PlaceAtPoint: the aligned start, its mirror about the point
// when the first does not fit, else the start pushed inside.
LONG PlaceOnAxis(LONG point, LONG length, bool far, bool centre, LONG low, LONG high)
{
    LONG start = centre ? point - length / 2 : (far ? point - length : point);
    if (!centre && !Fits(start, length, low, high)) {
        LONG mirrored = far ? point : point - length;
        if (Fits(mirrored, length, low, high))
            start = mirrored;
    }
    return Inside(start, length, low, high);
}

LONG ItemHeight(const PopupItemLook& item, const PopupMetrics& metrics)
{
    return item.separator ? metrics.separatorHeight : metrics.itemHeight;
}

LONG MaxOffset(const PopupGeometry& geometry)
{
    return std::max<LONG>(0, geometry.contentHeight - (geometry.ViewBottom() - geometry.ViewTop()));
}

}  // namespace

PopupMetrics::PopupMetrics(int dpi)
    : itemHeight(Scaled(19, dpi)),
      separatorHeight(Scaled(7, dpi)),
      border(Scaled(1, dpi)),
      checkColumn(Scaled(16, dpi)),
      arrowColumn(Scaled(14, dpi)),
      textPadding(Scaled(4, dpi)),
      minWidth(Scaled(60, dpi)),
      scrollBand(Scaled(12, dpi)),
      submenuOverlap(Scaled(2, dpi))
{
}

SIZE PopupSize(const std::vector<PopupItemLook>& items, const std::vector<LONG>& textWidths,
               const PopupMetrics& metrics, const RECT& screen)
{
    LONG widest = 0;
    for (LONG width : textWidths)
        widest = std::max(widest, width);
    LONG height = 2 * metrics.border;
    for (const PopupItemLook& item : items)
        height += ItemHeight(item, metrics);
    LONG width = 2 * metrics.border + metrics.checkColumn + widest + metrics.textPadding + metrics.arrowColumn;
    width = std::max(width, metrics.minWidth);
    return SIZE{std::min(width, screen.right - screen.left), std::min(height, screen.bottom - screen.top)};
}

RECT PlaceAtPoint(SIZE size, POINT point, UINT flags, const RECT& screen)
{
    LONG left = PlaceOnAxis(point.x, size.cx, (flags & TPM_RIGHTALIGN) != 0, (flags & TPM_CENTERALIGN) != 0,
                            screen.left, screen.right);
    LONG top = PlaceOnAxis(point.y, size.cy, (flags & TPM_BOTTOMALIGN) != 0, (flags & TPM_VCENTERALIGN) != 0,
                           screen.top, screen.bottom);
    return RECT{left, top, left + size.cx, top + size.cy};
}

RECT PlaceBeside(SIZE size, const RECT& parent, LONG itemTop, const PopupMetrics& metrics, const RECT& screen)
{
    LONG left = parent.right - metrics.submenuOverlap;
    if (!Fits(left, size.cx, screen.left, screen.right)) {
        LONG toTheLeft = parent.left + metrics.submenuOverlap - size.cx;
        if (toTheLeft >= screen.left)
            left = toTheLeft;
    }
    left = Inside(left, size.cx, screen.left, screen.right);
    LONG top = Inside(itemTop - metrics.border, size.cy, screen.top, screen.bottom);
    return RECT{left, top, left + size.cx, top + size.cy};
}

PopupGeometry LayOutPopup(const std::vector<PopupItemLook>& items, const RECT& window, const PopupMetrics& metrics)
{
    PopupGeometry geometry;
    geometry.window = window;
    geometry.border = metrics.border;
    for (const PopupItemLook& item : items)
        geometry.contentHeight += ItemHeight(item, metrics);
    LONG inside = window.bottom - window.top - 2 * metrics.border;
    if (geometry.contentHeight > inside)
        geometry.band = std::min(metrics.scrollBand, inside / 4);
    LONG width = window.right - window.left;
    LONG y = geometry.ViewTop();
    for (const PopupItemLook& item : items) {
        LONG height = ItemHeight(item, metrics);
        geometry.items.push_back(RECT{metrics.border, y, width - metrics.border, y + height});
        y += height;
    }
    return geometry;
}

RECT ScrolledItem(const PopupGeometry& geometry, LONG offset, size_t index)
{
    RECT r = geometry.items.at(index);
    r.top -= offset;
    r.bottom -= offset;
    return r;
}

int PopupItemAt(const PopupGeometry& geometry, LONG offset, POINT client)
{
    LONG width = geometry.window.right - geometry.window.left;
    if (client.x < geometry.border || client.x >= width - geometry.border || client.y < geometry.ViewTop() ||
        client.y >= geometry.ViewBottom())
        return -1;
    for (size_t i = 0; i < geometry.items.size(); ++i) {
        RECT r = ScrolledItem(geometry, offset, i);
        if (client.y >= r.top && client.y < r.bottom)
            return static_cast<int>(i);
    }
    return -1;
}

LONG ScrollToShow(const PopupGeometry& geometry, LONG offset, size_t index)
{
    const RECT& item = geometry.items.at(index);
    LONG top = item.top - geometry.ViewTop();
    LONG bottom = item.bottom - geometry.ViewTop();
    LONG view = geometry.ViewBottom() - geometry.ViewTop();
    if (top < offset)
        offset = top;
    else if (bottom > offset + view)
        offset = bottom - view;
    return std::clamp<LONG>(offset, 0, MaxOffset(geometry));
}

LONG ScrollStep(const PopupGeometry& geometry, LONG offset, int direction, const PopupMetrics& metrics)
{
    return std::clamp<LONG>(offset + direction * metrics.itemHeight, 0, MaxOffset(geometry));
}

int NextSelectable(const std::vector<PopupItemLook>& items, int index, int step)
{
    int count = static_cast<int>(items.size());
    int at = index < 0 ? (step > 0 ? -1 : 0) : index;
    for (int tried = 0; tried < count; ++tried) {
        at = (at + step + count) % count;
        if (!items[static_cast<size_t>(at)].separator)
            return at;
    }
    return -1;
}

}  // namespace platform
