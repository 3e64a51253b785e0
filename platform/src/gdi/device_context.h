// Device contexts: window, screen and memory DCs, their selected objects
// and modes, and what a drawing call on one may touch.
#pragma once

#include <optional>

#include "gdi_objects.h"
#include "server/region.h"

namespace platform {

enum class DcKind { Window, Screen, Memory };

struct DeviceContext {
    DcKind kind = DcKind::Memory;
    HWND hwnd = nullptr;  // window DCs
    bool whole = false;   // GetWindowDC's: the non-client area too
    HGDIOBJ pen = nullptr;
    HGDIOBJ brush = nullptr;
    HGDIOBJ font = nullptr;
    HGDIOBJ bitmap = nullptr;  // memory DCs
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF bkColour = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    POINT position{};
    // SelectClipRgn and IntersectClipRect, in DC coordinates.
    std::optional<sim::Region> clip;
    // BeginPaint's update area, in DC coordinates.
    std::optional<sim::Region> paintArea;
    // Where the window is on the screen and which of its pixels show, as
    // the server said at that layout version of the screen.
    uint64_t layoutVersion = 0;
    sim::Point origin;
    sim::Region visible;
};

DeviceContext* FindDc(HDC hdc);
// The DCs the process holds: made, got or begun and not yet deleted,
// released or ended.
int LiveDcCount();

// What one drawing call draws on: the pixels, the offset from DC to surface
// coordinates and the surface rectangles it may change.
struct DrawTarget {
    Surface surface;
    int dx = 0;
    int dy = 0;
    sim::Region clip;
};

// False for an unknown DC or one with nothing to draw on (a window that is
// gone, a memory DC with its stock bitmap, a device without a screen).
bool TargetOf(HDC hdc, DrawTarget& target);

// The pixels a DC reads from, without clipping: the screen for window and
// screen DCs (with the window's origin), the selected bitmap for memory DCs.
bool SourceOf(HDC hdc, Surface& surface, int& dx, int& dy);

// BeginPaint's DC, limited to the update area (client coordinates).
// BeginPaint's DC, which draws only in the update area (client
// coordinates); visible is what showed of the client area at the screen's
// layout version, when BeginPaint was told it.
struct PaintTarget {
    sim::Point origin;
    sim::Region visible;
    uint64_t layoutVersion = 0;
};
HDC CreatePaintDc(HWND hwnd, const sim::Region& update, const std::optional<PaintTarget>& target);

}  // namespace platform
