// Every window of the device: the tree, the z-order, activation, focus,
// capture and pending paint. Pure data: the caller sends the messages that
// the changes call for.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "region.h"
#include "update_area.h"
#include "window_geometry.h"

namespace sim {

using Hwnd = uint32_t;
using Pid = uint32_t;

struct Window {
    Hwnd hwnd = 0;
    Pid pid = 0;
    std::u16string className;
    std::u16string title;
    // WS_VISIBLE and WS_DISABLED in the style are the window's own visibility
    // and enabled state.
    uint32_t style = 0;
    uint32_t exStyle = 0;
    Hwnd parent = 0;  // WS_CHILD windows only
    Hwnd owner = 0;   // top-level windows created with a parent handle
    uint32_t controlId = 0;
    int32_t userData = 0;
    std::vector<uint8_t> extraBytes;  // the class's cbWndExtra, zeroed
    Rect rect;                   // screen coordinates
    // The non-client band on each side (caption, border), as the window's
    // creator measured it from the style; the client area lies inside.
    Rect frame;
    std::vector<Hwnd> children;  // top of the z-order first
    UpdateArea update;           // client coordinates
    bool frameDirty = false;     // the non-client band needs WM_NCPAINT
};

struct CreateParams {
    std::u16string className;
    std::u16string title;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    // As CreateWindowEx takes them: screen coordinates for a top-level
    // window, parent-relative for a child. CW_USEDEFAULT in x places a
    // top-level window at the work area's corner, in width gives it the work
    // area's size; a child gets 0 for either.
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    Hwnd parent = 0;  // the parent of a WS_CHILD window, else the owner
    uint32_t controlId = 0;
    uint32_t extraBytes = 0;
    Rect frame;  // non-client insets, as Window::frame
};

// A change of the active window, for WM_ACTIVATE. Both are 0 when nothing
// changed; deactivated may be a window that has just been destroyed.
struct Activation {
    Hwnd deactivated = 0;
    Hwnd activated = 0;
    bool Changed() const { return deactivated != 0 || activated != 0; }
};

struct Destruction {
    std::vector<Hwnd> destroyed;  // in the order WM_DESTROY goes out
    Activation activation;
};

struct ShowResult {
    bool wasVisible = false;
    Activation activation;
};

struct PendingPaint {
    Rect client;  // the bounds of area
    Region area;  // client coordinates
    bool erase = false;
    bool frame = false;  // the non-client band is to be drawn first
};

// When the active window goes (destroyed or hidden), activation passes to its
// owner if that can take it, else to the next window below it in the z-order
// that is visible and enabled (which ends at the desktop), else to the first
// such window from the top. Whoever becomes active is raised. Focus never
// stays outside the active window: activation clears it, and removing or
// hiding the focus window hands it to its nearest remaining ancestor in the
// active window. Callers compare Focus() before and after to send
// WM_KILLFOCUS and WM_SETFOCUS.
class WindowManager {
public:
    // screen and workArea as the profile gives them (the work area is the
    // screen without the task bar, already scaled for the screen's dpi).
    WindowManager(const Rect& screen, const Rect& workArea);

    Hwnd Desktop() const { return desktop_; }
    void SetDesktopOwner(Pid pid);
    const Rect& Screen() const { return screen_; }
    const Rect& WorkArea() const { return workArea_; }

    // 0 when params.parent is not a window, or for WS_CHILD without one
    // (CreateWindowEx fails with ERROR_TLW_WITH_WSCHILD then). A new window
    // is not activated: showing a top-level window activates it only
    // through SetForeground by the caller.
    Hwnd Create(Pid pid, const CreateParams& params);
    // What Destroy would destroy, in order: the owned windows of the same
    // process first (each with its children), then the window, then its
    // children depth-first. Lets WM_DESTROY reach windows that still exist.
    std::vector<Hwnd> DestructionOrder(Hwnd hwnd) const;
    // The desktop is never destroyed.
    Destruction Destroy(Hwnd hwnd);
    // Every window of an ended process; the desktop returns to pid 0.
    Destruction DestroyAllOf(Pid pid);

    ShowResult Show(Hwnd hwnd, bool visible);
    // placement as MoveWindow takes it: screen coordinates for a top-level
    // window, parent-relative for a child.
    bool Move(Hwnd hwnd, const Rect& placement);
    Rect Placement(Hwnd hwnd) const;

    const Window* Get(Hwnd hwnd) const;
    bool IsWindow(Hwnd hwnd) const { return Get(hwnd) != nullptr; }
    // A window is visible when it and all its ancestors are.
    bool IsVisible(Hwnd hwnd) const;
    bool IsEnabled(Hwnd hwnd) const;
    bool SetTitle(Hwnd hwnd, std::u16string_view title);
    // Stored as given, as SetWindowLong does: no repaint, no z-order change.
    bool SetStyle(Hwnd hwnd, uint32_t style);
    bool SetExStyle(Hwnd hwnd, uint32_t exStyle);
    // GetWindowLong and SetWindowLong: GWL_STYLE, GWL_EXSTYLE, GWL_USERDATA,
    // GWL_ID, or an offset into the extra bytes with room for four of them
    // (little-endian, as on the device). Empty for another index or no
    // window. SetLong returns the previous value and stores a style as
    // SetStyle does.
    std::optional<uint32_t> Long(Hwnd hwnd, int32_t index) const;
    std::optional<uint32_t> SetLong(Hwnd hwnd, int32_t index, uint32_t value);
    // Returns whether the window was disabled before, as EnableWindow does.
    // Disabling the focus window clears the focus.
    bool Enable(Hwnd hwnd, bool enable);
    // GetParent: the parent of a child, the owner of a WS_POPUP window, else 0.
    Hwnd Parent(Hwnd hwnd) const;
    Hwnd TopLevelOf(Hwnd hwnd) const;
    bool IsSelfOrDescendant(Hwnd ancestor, Hwnd hwnd) const;
    Rect ClientRect(Hwnd hwnd) const;
    // The client area in screen coordinates.
    Rect ClientOnScreen(Hwnd hwnd) const;
    // What to add to a point in from's client coordinates to have it in to's;
    // 0 stands for the screen. Empty when either window does not exist.
    std::optional<Point> MapOffset(Hwnd from, Hwnd to) const;

    // Raises the window's top-level window (above its owner, below
    // WS_EX_TOPMOST windows unless it is one); the desktop stays last.
    bool BringToTop(Hwnd hwnd);
    std::vector<Hwnd> TopLevelZOrder() const { return topLevel_; }
    // GW_HWNDFIRST, GW_HWNDLAST, GW_HWNDNEXT, GW_HWNDPREV and GW_CHILD
    // among the window's siblings (the top-level windows for a top-level
    // one), top first; 0 past either end.
    Hwnd First(Hwnd hwnd) const;
    Hwnd Last(Hwnd hwnd) const;
    Hwnd Next(Hwnd hwnd) const;
    Hwnd Previous(Hwnd hwnd) const;
    Hwnd FirstChild(Hwnd hwnd) const;
    // The first top-level window in z-order, visible or not, whose class and
    // title match as whole strings without regard to case; an absent
    // criterion matches anything.
    Hwnd Find(std::optional<std::u16string_view> className, std::optional<std::u16string_view> title) const;

    // The active window is also the foreground window: there is one.
    Hwnd Active() const { return active_; }
    // Activates and raises the window's top-level window. A window with
    // WS_EX_NOACTIVATE (a soft-key bar, a popup menu) is only raised: it
    // never becomes active, nor does activation pass to it.
    Activation SetForeground(Hwnd hwnd);
    Hwnd Focus() const { return focus_; }
    // The previous focus; empty (and no change) when hwnd is not the active
    // window or inside it (the server activates a program's own window
    // first, as Win32 does). 0 clears the focus.
    std::optional<Hwnd> SetFocus(Hwnd hwnd);
    Hwnd Capture() const { return capture_; }
    // The previous capture window; no change when hwnd does not exist.
    Hwnd SetCapture(Hwnd hwnd);
    void ReleaseCapture() { capture_ = 0; }

    // The topmost visible window under a screen point, descending into
    // visible, enabled children (earlier children lie on top) where the
    // point lies in the parent's client area. A disabled
    // top-level window still takes the point, so that input never falls
    // through to what is beneath; the caller checks IsEnabled.
    Hwnd HitTest(Point screenPoint) const;

    // Adds to the update area (client coordinates, clipped to the client;
    // the whole client and the frame when area is empty). Children are included unless
    // the window has WS_CLIPCHILDREN, as they would be painted over.
    // Invisible windows collect nothing.
    bool Invalidate(Hwnd hwnd, const std::optional<Rect>& area, bool erase);
    bool Validate(Hwnd hwnd, const std::optional<Rect>& area);
    PendingPaint Update(Hwnd hwnd) const;
    // The update area for BeginPaint, which it clears.
    PendingPaint TakeUpdate(Hwnd hwnd);
    // The first visible window of the process that needs WM_PAINT: top-level
    // windows in z-order, each before its children; within limits the search
    // to that window and its descendants.
    Hwnd NextToPaint(Pid pid, Hwnd within = 0) const;

    // The screen pixels a window's DC may draw on: its rectangle within its
    // ancestors', less the visible siblings above it on every level, the
    // visible top-level windows above, and its visible children when it has
    // WS_CLIPCHILDREN. A client DC's region stays inside the client area,
    // a window DC's (whole) takes the non-client band too. Empty for a
    // hidden window.
    Region VisibleRegion(Hwnd hwnd, bool whole = false) const;
    // Changes whenever the answer to VisibleRegion may have changed.
    uint64_t LayoutVersion() const { return layoutVersion_; }

    // One line per window, top of the z-order first, children indented under
    // their parents.
    std::string Dump() const;

    // After a rotation: windows that filled the old screen get the new one,
    // windows covering the old work area get the new work area (the desktop
    // always gets the screen), a bar across the bottom of the old screen
    // keeps its height at the bottom of the new one. Everything visible is repainted. Returns the
    // resized windows, for WM_SIZE.
    std::vector<Hwnd> ScreenChanged(const Rect& screen, const Rect& workArea);

private:
    Window* Lookup(Hwnd hwnd);
    Hwnd AllocateHandle();
    Rect DefaultPlacement(const CreateParams& params, bool child) const;
    std::vector<Hwnd>& SiblingsOf(const Window& window);
    const std::vector<Hwnd>& SiblingsOf(const Window& window) const;
    void CollectDestruction(Hwnd hwnd, std::vector<Hwnd>& order) const;
    Destruction DestroyAll(const std::vector<Hwnd>& roots);
    void ExposeUncovered(const std::vector<Hwnd>& order);
    void Unlink(Hwnd hwnd);
    void PlaceOnTop(Hwnd topLevel);
    bool CanActivate(Hwnd hwnd, const std::vector<Hwnd>& leaving) const;
    Hwnd SuccessorOf(Hwnd lost, const std::vector<Hwnd>& leaving) const;
    Activation Activate(Hwnd topLevel);
    Hwnd SurvivingAncestor(Hwnd hwnd, const std::vector<Hwnd>& leaving) const;
    void SetRect(Window& window, const Rect& rect);
    const Window* ChildAt(const Window& parent, Point screenPoint) const;
    Rect VisibleBounds(const Window& window) const;
    Rect ClientBounds(const Window& window) const;
    // Marks what of a screen area falls on the window: its frame, and the
    // client part in its update area. Returns the client part (screen).
    Rect AddExposure(Window& window, const Rect& screenArea, bool erase);
    void ExposeBeneath(const Window& window, Region area);
    void InvalidateTree(Window& window, const Rect& screenArea, bool erase, bool allChildren);
    Hwnd FirstToPaint(const Window& window, Pid pid) const;
    void DumpTree(const Window& window, int depth, std::string& out) const;

    Rect screen_;
    Rect workArea_;
    std::map<Hwnd, Window> windows_;
    std::vector<Hwnd> topLevel_;  // top first; the desktop is always last
    Hwnd nextHandle_;
    Hwnd desktop_ = 0;
    Hwnd active_ = 0;
    Hwnd focus_ = 0;
    Hwnd capture_ = 0;
    uint64_t layoutVersion_ = 1;
};

}  // namespace sim
