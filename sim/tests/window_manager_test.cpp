#include "server/region.h"
#include "server/window_manager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

#include "ce/windowing.h"

namespace sim {

void PrintTo(const Rect& rect, std::ostream* out)
{
    *out << "{" << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom << "}";
}

}  // namespace sim

namespace {

using sim::Hwnd;
using sim::Rect;
using sim::WindowManager;

constexpr Rect kScreen{0, 0, 240, 320};
constexpr Rect kWorkArea{0, 26, 240, 320};
constexpr sim::Pid kShell = 1;
constexpr sim::Pid kApp = 2;

Hwnd TopLevel(WindowManager& wm, sim::Pid pid, std::u16string title, Rect rect, uint32_t style = WS_VISIBLE,
              uint32_t exStyle = 0, Hwnd owner = 0)
{
    sim::CreateParams params;
    params.className = u"TestClass";
    params.title = std::move(title);
    params.style = style;
    params.exStyle = exStyle;
    params.x = rect.left;
    params.y = rect.top;
    params.width = rect.Width();
    params.height = rect.Height();
    params.parent = owner;
    return wm.Create(pid, params);
}

Hwnd Child(WindowManager& wm, Hwnd parent, Rect relative, uint32_t style = WS_CHILD | WS_VISIBLE)
{
    sim::CreateParams params;
    params.className = u"STATIC";
    params.style = style;
    params.x = relative.left;
    params.y = relative.top;
    params.width = relative.Width();
    params.height = relative.Height();
    params.parent = parent;
    params.controlId = 7;
    return wm.Create(wm.Get(parent)->pid, params);
}

// Forgets every pending paint, so a test sees only what its step invalidates.
void PaintEverything(WindowManager& wm)
{
    for (const auto pid : {sim::Pid{0}, kShell, kApp})
        while (Hwnd hwnd = wm.NextToPaint(pid))
            wm.TakeUpdate(hwnd);
}

std::vector<Hwnd> Walk(const WindowManager& wm, Hwnd from)
{
    std::vector<Hwnd> order;
    for (Hwnd hwnd = wm.First(from); hwnd; hwnd = wm.Next(hwnd))
        order.push_back(hwnd);
    return order;
}

// The bounds of what is left of a once b is taken away.
Rect Minus(const Rect& a, const Rect& b)
{
    sim::Region rest(a);
    rest.Subtract(b);
    return rest.Bounds();
}

TEST(WindowGeometry, SubtractKeepsTheBoundingRectangleOfTheRest)
{
    Rect a{0, 0, 100, 100};
    EXPECT_EQ(Minus(a, {0, 0, 100, 30}), (Rect{0, 30, 100, 100}));
    EXPECT_EQ(Minus(a, {-5, 70, 105, 120}), (Rect{0, 0, 100, 70}));
    EXPECT_EQ(Minus(a, {0, -1, 40, 100}), (Rect{40, 0, 100, 100}));
    EXPECT_EQ(Minus(a, {60, 0, 100, 100}), (Rect{0, 0, 60, 100}));
    EXPECT_EQ(Minus(a, {-1, -1, 101, 101}), Rect());
    // A hole or a corner leaves the same bounds.
    EXPECT_EQ(Minus(a, {10, 10, 20, 20}), a);
    EXPECT_EQ(Minus(a, {50, 50, 150, 150}), a);
    EXPECT_EQ(Minus(a, {200, 200, 300, 300}), a);

    EXPECT_EQ(sim::Intersect(a, {100, 0, 200, 100}), Rect());
    EXPECT_EQ(sim::Union(Rect{5, 5, 5, 9}, Rect{1, 2, 3, 4}), (Rect{1, 2, 3, 4}));
    EXPECT_TRUE(a.Contains(sim::Point{99, 0}));
    EXPECT_FALSE(a.Contains(sim::Point{100, 0}));
    EXPECT_FALSE(a.Contains(Rect{}));
}

TEST(WindowManager, DesktopExistsFromTheStartAtTheBottomAndComesToTheFront)
{
    WindowManager wm(kScreen, kWorkArea);
    const sim::Window* desktop = wm.Get(wm.Desktop());
    ASSERT_NE(desktop, nullptr);
    EXPECT_GE(wm.Desktop(), 0x10000u);
    EXPECT_EQ(desktop->pid, 0u);
    EXPECT_EQ(desktop->className, u"DesktopExplorerWindow");
    EXPECT_EQ(desktop->title, u"Desktop");
    EXPECT_EQ(desktop->rect, kScreen);
    EXPECT_TRUE(wm.IsVisible(wm.Desktop()));

    wm.SetDesktopOwner(kShell);
    EXPECT_EQ(wm.Get(wm.Desktop())->pid, kShell);
    EXPECT_EQ(wm.NextToPaint(kShell), wm.Desktop());

    Hwnd app = TopLevel(wm, kApp, u"App", kWorkArea);
    EXPECT_EQ(wm.TopLevelZOrder(), (std::vector<Hwnd>{app, wm.Desktop()}));
    // It is the Today screen as well, which comes to the front as any
    // window does.
    EXPECT_TRUE(wm.BringToTop(wm.Desktop()));
    EXPECT_EQ(wm.TopLevelZOrder(), (std::vector<Hwnd>{wm.Desktop(), app}));
    EXPECT_TRUE(wm.Destroy(wm.Desktop()).destroyed.empty());
    EXPECT_TRUE(wm.IsWindow(wm.Desktop()));
}

TEST(WindowManager, CreatePlacesWindowsAsCreateWindowExDoes)
{
    WindowManager wm(kScreen, kWorkArea);
    sim::CreateParams params;
    params.className = u"Main";
    params.style = WS_VISIBLE;
    params.x = CW_USEDEFAULT;
    params.y = 5;
    params.width = CW_USEDEFAULT;
    params.height = 7;
    Hwnd main = wm.Create(kApp, params);
    ASSERT_NE(main, 0u);
    EXPECT_EQ(wm.Get(main)->rect, kWorkArea);

    sim::CreateParams defaults = params;
    defaults.style = WS_CHILD;
    defaults.parent = main;
    Hwnd defaulted = wm.Create(kApp, defaults);
    EXPECT_EQ(wm.Get(defaulted)->rect, (Rect{0, 26, 0, 26}));

    Hwnd child = Child(wm, main, {10, 20, 60, 40});
    EXPECT_EQ(wm.Get(child)->rect, (Rect{10, 46, 60, 66}));
    EXPECT_EQ(wm.Placement(child), (Rect{10, 20, 60, 40}));
    EXPECT_EQ(wm.ClientRect(child), (Rect{0, 0, 50, 20}));
    EXPECT_EQ(wm.Get(child)->controlId, 7u);
    EXPECT_EQ(wm.Parent(child), main);

    Hwnd grandchild = Child(wm, child, {1, 2, 3, 4});
    EXPECT_EQ(wm.Get(grandchild)->rect, (Rect{11, 48, 13, 50}));
    EXPECT_EQ(wm.TopLevelOf(grandchild), main);

    // Distinct, never small, never reused.
    EXPECT_NE(main, child);
    EXPECT_GT(child, 0xFFFFu);
    wm.Destroy(grandchild);
    EXPECT_GT(Child(wm, child, {}), grandchild);

    params.style = WS_CHILD;
    EXPECT_EQ(wm.Create(kApp, params), 0u);
    params.style = 0;
    params.parent = 0xDEAD0;
    EXPECT_EQ(wm.Create(kApp, params), 0u);

    // A top-level window created with a parent handle is owned, and only a
    // popup reports its owner as the parent.
    Hwnd popup = TopLevel(wm, kApp, u"Popup", {0, 0, 10, 10}, WS_POPUP, 0, main);
    Hwnd owned = TopLevel(wm, kApp, u"Owned", {0, 0, 10, 10}, 0, 0, main);
    EXPECT_EQ(wm.Parent(popup), main);
    EXPECT_EQ(wm.Parent(owned), 0u);
    EXPECT_EQ(wm.Get(owned)->owner, main);
    EXPECT_EQ(wm.Parent(main), 0u);
}

TEST(WindowManager, ZOrderFollowsCreationRaisingAndTopmost)
{
    WindowManager wm(kScreen, kWorkArea);
    const Hwnd desktop = wm.Desktop();
    Hwnd tray = TopLevel(wm, kShell, u"Tray", {0, 0, 240, 26}, WS_VISIBLE, WS_EX_TOPMOST);
    Hwnd first = TopLevel(wm, kApp, u"First", kWorkArea);
    Hwnd second = TopLevel(wm, kApp, u"Second", kWorkArea);
    EXPECT_EQ(wm.TopLevelZOrder(), (std::vector<Hwnd>{tray, second, first, desktop}));

    Hwnd child = Child(wm, first, {0, 0, 5, 5});
    EXPECT_TRUE(wm.BringToTop(child));
    EXPECT_EQ(wm.TopLevelZOrder(), (std::vector<Hwnd>{tray, first, second, desktop}));

    Hwnd menu = TopLevel(wm, kShell, u"Menu", {0, 0, 5, 5}, WS_VISIBLE, WS_EX_TOPMOST);
    EXPECT_EQ(wm.TopLevelZOrder(), (std::vector<Hwnd>{menu, tray, first, second, desktop}));
    EXPECT_TRUE(wm.BringToTop(tray));
    EXPECT_EQ(wm.TopLevelZOrder(), (std::vector<Hwnd>{tray, menu, first, second, desktop}));

    // GetWindow walks from any window over the whole top-level list.
    EXPECT_EQ(Walk(wm, second), (std::vector<Hwnd>{tray, menu, first, second, desktop}));
    EXPECT_EQ(wm.Next(desktop), 0u);
    EXPECT_EQ(wm.First(0xDEAD0), 0u);

    // Children are stacked in creation order, the first on top.
    Hwnd later = Child(wm, first, {0, 0, 5, 5});
    Hwnd last = Child(wm, first, {0, 0, 5, 5});
    EXPECT_EQ(wm.FirstChild(first), child);
    EXPECT_EQ(Walk(wm, last), (std::vector<Hwnd>{child, later, last}));
    EXPECT_EQ(wm.Last(child), last);
    EXPECT_EQ(wm.Previous(last), later);
    EXPECT_EQ(wm.Previous(child), 0u);
    EXPECT_EQ(wm.Last(second), desktop);
    EXPECT_EQ(wm.FirstChild(child), 0u);

    // Owned windows stay above their owner when it is raised.
    Hwnd box = TopLevel(wm, kApp, u"Box", {0, 0, 5, 5}, WS_VISIBLE | WS_POPUP, 0, second);
    wm.BringToTop(first);
    EXPECT_TRUE(wm.BringToTop(second));
    EXPECT_EQ(wm.TopLevelZOrder(), (std::vector<Hwnd>{tray, menu, box, second, first, desktop}));
    EXPECT_FALSE(wm.BringToTop(0xDEAD0));
}

TEST(WindowManager, SetForegroundReportsTheActivationPair)
{
    WindowManager wm(kScreen, kWorkArea);
    Hwnd first = TopLevel(wm, kApp, u"First", kWorkArea);
    Hwnd second = TopLevel(wm, kApp, u"Second", kWorkArea);
    Hwnd child = Child(wm, first, {0, 0, 5, 5});

    sim::Activation change = wm.SetForeground(second);
    EXPECT_EQ(change.deactivated, 0u);
    EXPECT_EQ(change.activated, second);
    EXPECT_EQ(wm.Active(), second);

    change = wm.SetForeground(child);
    EXPECT_EQ(change.deactivated, second);
    EXPECT_EQ(change.activated, first);
    EXPECT_EQ(wm.TopLevelZOrder().front(), first);

    EXPECT_FALSE(wm.SetForeground(first).Changed());
    EXPECT_FALSE(wm.SetForeground(0xDEAD0).Changed());
    EXPECT_EQ(wm.Active(), first);

    // The desktop, made foreground, covers the programs.
    change = wm.SetForeground(wm.Desktop());
    EXPECT_EQ(change.activated, wm.Desktop());
    EXPECT_EQ(wm.TopLevelZOrder().front(), wm.Desktop());
}

TEST(WindowManager, ActivationPassesOnWhenTheActiveWindowGoes)
{
    WindowManager wm(kScreen, kWorkArea);
    const Hwnd desktop = wm.Desktop();
    Hwnd tray = TopLevel(wm, kShell, u"Tray", {0, 0, 240, 26}, WS_VISIBLE, WS_EX_TOPMOST);
    Hwnd bottom = TopLevel(wm, kApp, u"Bottom", kWorkArea);
    Hwnd disabled = TopLevel(wm, kApp, u"Disabled", kWorkArea, WS_VISIBLE | WS_DISABLED);
    Hwnd hidden = TopLevel(wm, kApp, u"Hidden", kWorkArea, 0);
    Hwnd middle = TopLevel(wm, kApp, u"Middle", kWorkArea);
    Hwnd top = TopLevel(wm, kApp, u"Top", kWorkArea);
    wm.SetForeground(top);

    // The next window below that is visible and enabled; not the topmost tray.
    sim::Destruction gone = wm.Destroy(top);
    EXPECT_EQ(gone.activation.deactivated, top);
    EXPECT_EQ(gone.activation.activated, middle);

    sim::ShowResult shown = wm.Show(middle, false);
    EXPECT_TRUE(shown.wasVisible);
    EXPECT_EQ(shown.activation.deactivated, middle);
    EXPECT_EQ(shown.activation.activated, bottom);
    EXPECT_EQ(wm.TopLevelZOrder().front(), tray);
    EXPECT_EQ(wm.TopLevelZOrder()[1], bottom);

    // Hiding or destroying a window that is not active changes nothing.
    EXPECT_FALSE(wm.Show(disabled, false).activation.Changed());
    EXPECT_FALSE(wm.Destroy(hidden).activation.Changed());

    // With no application left the desktop takes over.
    gone = wm.Destroy(bottom);
    EXPECT_EQ(gone.activation.activated, desktop);

    // A popup hands activation back to its owner, wherever it lies.
    Hwnd owner = TopLevel(wm, kApp, u"Owner", kWorkArea);
    Hwnd other = TopLevel(wm, kApp, u"Other", kWorkArea);
    Hwnd box = TopLevel(wm, kApp, u"Box", {0, 0, 9, 9}, WS_VISIBLE | WS_POPUP, 0, owner);
    wm.BringToTop(other);
    wm.SetForeground(box);
    EXPECT_EQ(wm.Destroy(box).activation.activated, owner);
    EXPECT_EQ(wm.Active(), owner);
    EXPECT_EQ(wm.TopLevelZOrder()[1], owner);
}

TEST(WindowManager, FocusStaysInsideTheActiveWindow)
{
    WindowManager wm(kScreen, kWorkArea);
    Hwnd main = TopLevel(wm, kApp, u"Main", kWorkArea);
    Hwnd panel = Child(wm, main, {0, 0, 100, 100});
    Hwnd edit = Child(wm, panel, {0, 0, 50, 20});
    Hwnd other = TopLevel(wm, kApp, u"Other", kWorkArea);

    EXPECT_EQ(wm.SetFocus(edit), std::nullopt);  // nothing is active yet
    wm.SetForeground(main);
    EXPECT_EQ(wm.SetFocus(edit), std::optional<Hwnd>(0));
    EXPECT_EQ(wm.Focus(), edit);
    EXPECT_EQ(wm.SetFocus(other), std::nullopt);
    EXPECT_EQ(wm.SetFocus(0xDEAD0), std::nullopt);
    EXPECT_EQ(wm.Focus(), edit);

    // Activating another window takes the focus away.
    wm.SetForeground(other);
    EXPECT_EQ(wm.Focus(), 0u);
    wm.SetForeground(main);
    wm.SetFocus(edit);

    // A hidden or destroyed focus window hands the focus to its parent.
    wm.Show(edit, false);
    EXPECT_EQ(wm.Focus(), panel);
    wm.Show(edit, true);
    wm.SetFocus(edit);
    wm.Destroy(panel);
    EXPECT_EQ(wm.Focus(), main);

    wm.Enable(main, false);
    EXPECT_EQ(wm.Focus(), 0u);
    EXPECT_EQ(wm.SetFocus(0), std::optional<Hwnd>(0));
}

TEST(WindowManager, CaptureIsSetReleasedAndLostWithItsWindow)
{
    WindowManager wm(kScreen, kWorkArea);
    Hwnd main = TopLevel(wm, kApp, u"Main", kWorkArea);
    Hwnd button = Child(wm, main, {0, 0, 50, 20});

    EXPECT_EQ(wm.SetCapture(button), 0u);
    EXPECT_EQ(wm.SetCapture(0xDEAD0), button);
    EXPECT_EQ(wm.Capture(), button);
    EXPECT_EQ(wm.SetCapture(main), button);
    wm.ReleaseCapture();
    EXPECT_EQ(wm.Capture(), 0u);

    wm.SetCapture(button);
    wm.Destroy(main);
    EXPECT_EQ(wm.Capture(), 0u);
}

TEST(WindowManager, FindMatchesWholeStringsWithoutCase)
{
    WindowManager wm(kScreen, kWorkArea);
    Hwnd tasks = TopLevel(wm, kApp, u"Quib Monitor Tasks", kWorkArea);
    Hwnd monitor = TopLevel(wm, kApp, u"Quib Monitor", kWorkArea, 0);
    Hwnd accented = TopLevel(wm, kApp, u"Grüße", kWorkArea);
    Hwnd child = Child(wm, tasks, {});
    wm.SetTitle(child, u"Inside");

    EXPECT_EQ(wm.Find(std::nullopt, u"quib monitor"), monitor);  // hidden windows are found too
    EXPECT_EQ(wm.Find(std::nullopt, u"QUIB MONITOR TASKS"), tasks);
    EXPECT_EQ(wm.Find(std::nullopt, u"Quib"), 0u);
    EXPECT_EQ(wm.Find(std::nullopt, u"Quib Monitor Tasks "), 0u);
    EXPECT_EQ(wm.Find(std::nullopt, u"GRÜSSE"), 0u);
    EXPECT_EQ(wm.Find(std::nullopt, u"GRÜßE"), accented);
    EXPECT_EQ(wm.Find(std::nullopt, u"Inside"), 0u);  // top-level windows only

    EXPECT_EQ(wm.Find(u"testclass", std::nullopt), accented);  // first in z-order
    EXPECT_EQ(wm.Find(u"desktopexplorerwindow", u"desktop"), wm.Desktop());
    EXPECT_EQ(wm.Find(u"Other", u"Quib Monitor"), 0u);
    EXPECT_EQ(wm.Find(std::nullopt, std::nullopt), accented);

    wm.SetTitle(accented, u"Renamed");
    EXPECT_EQ(wm.Find(std::nullopt, u"renamed"), accented);
}

TEST(WindowManager, HitTestFindsTheTopmostVisibleWindowUnderThePoint)
{
    WindowManager wm(kScreen, kWorkArea);
    const Hwnd desktop = wm.Desktop();
    Hwnd main = TopLevel(wm, kApp, u"Main", kWorkArea);
    Hwnd under = Child(wm, main, {0, 0, 100, 100});
    Hwnd over = Child(wm, main, {50, 50, 150, 150});
    Hwnd inner = Child(wm, under, {0, 0, 200, 10});  // reaches beyond its parent
    Child(wm, main, {0, 200, 100, 250}, WS_CHILD);
    Child(wm, main, {150, 200, 200, 250}, WS_CHILD | WS_VISIBLE | WS_DISABLED);
    Hwnd popup = TopLevel(wm, kApp, u"Popup", {200, 280, 240, 320}, WS_VISIBLE, WS_EX_TOPMOST);

    EXPECT_EQ(wm.HitTest({75, 101}), under);  // the earlier child lies on top
    EXPECT_EQ(wm.HitTest({125, 151}), over);
    EXPECT_EQ(wm.HitTest({10, 101}), under);
    EXPECT_EQ(wm.HitTest({10, 30}), inner);
    EXPECT_EQ(wm.HitTest({120, 30}), main);  // inner is clipped to its parent
    EXPECT_EQ(wm.HitTest({10, 230}), main);
    EXPECT_EQ(wm.HitTest({160, 230}), main);
    EXPECT_EQ(wm.HitTest({210, 300}), popup);
    EXPECT_EQ(wm.HitTest({10, 10}), desktop);
    EXPECT_EQ(wm.HitTest({240, 10}), 0u);

    wm.Show(popup, false);
    EXPECT_EQ(wm.HitTest({210, 300}), main);
    wm.Enable(main, false);
    EXPECT_EQ(wm.HitTest({75, 101}), main);
}

TEST(WindowManager, HidingMovingAndDestroyingExposeWhatWasBeneath)
{
    WindowManager wm(kScreen, kWorkArea);
    wm.SetDesktopOwner(kShell);
    Hwnd main = TopLevel(wm, kApp, u"Main", {0, 100, 240, 320});
    Hwnd box = TopLevel(wm, kApp, u"Box", {20, 80, 120, 180});
    Hwnd bar = TopLevel(wm, kShell, u"Bar", {0, 60, 240, 90}, WS_VISIBLE, WS_EX_TOPMOST);
    PaintEverything(wm);

    // The bar above still covers its part; main and the desktop share the rest.
    sim::ShowResult shown = wm.Show(box, false);
    EXPECT_TRUE(shown.wasVisible);
    EXPECT_EQ(wm.Update(main).client, (Rect{20, 0, 120, 80}));
    EXPECT_TRUE(wm.Update(main).erase);
    EXPECT_EQ(wm.Update(wm.Desktop()).client, (Rect{20, 90, 120, 100}));
    EXPECT_TRUE(wm.Update(bar).client.Empty());
    EXPECT_FALSE(wm.Show(box, false).wasVisible);
    PaintEverything(wm);

    // Showing repaints the window itself and nothing else.
    wm.Show(box, true);
    EXPECT_EQ(wm.Update(box).client, (Rect{0, 0, 100, 100}));
    EXPECT_TRUE(wm.Update(main).client.Empty());
    PaintEverything(wm);

    // Moving right uncovers a strip on the left.
    EXPECT_TRUE(wm.Move(box, {50, 80, 150, 180}));
    EXPECT_EQ(wm.Update(main).client, (Rect{20, 0, 50, 80}));
    EXPECT_EQ(wm.Update(box).client, (Rect{0, 0, 100, 100}));
    PaintEverything(wm);
    EXPECT_TRUE(wm.Move(box, {50, 80, 150, 180}));
    EXPECT_EQ(wm.NextToPaint(kApp), 0u);

    wm.Destroy(box);
    EXPECT_EQ(wm.Update(main).client, (Rect{50, 0, 150, 80}));
    PaintEverything(wm);

    // A child's area goes back to its parent and the siblings below it only.
    Hwnd upper = Child(wm, main, {0, 120, 240, 200});
    Hwnd panel = Child(wm, main, {50, 50, 150, 150});
    Hwnd lower = Child(wm, main, {0, 0, 100, 100});
    PaintEverything(wm);
    wm.Show(panel, false);
    EXPECT_EQ(wm.Update(main).client, (Rect{50, 50, 150, 150}));
    EXPECT_EQ(wm.Update(lower).client, (Rect{50, 50, 100, 100}));
    EXPECT_TRUE(wm.Update(upper).client.Empty());
    EXPECT_TRUE(wm.Update(wm.Desktop()).client.Empty());
    PaintEverything(wm);

    // A process that ends leaves its area to the windows beneath.
    wm.DestroyAllOf(kApp);
    EXPECT_EQ(wm.Update(wm.Desktop()).client, (Rect{0, 100, 240, 320}));
}

TEST(WindowManager, UpdateAreasDecideWhatToPaintAndInWhichOrder)
{
    WindowManager wm(kScreen, kWorkArea);
    wm.SetDesktopOwner(kShell);
    Hwnd back = TopLevel(wm, kApp, u"Back", kWorkArea);
    Hwnd front = TopLevel(wm, kApp, u"Front", {0, 26, 100, 100});
    Hwnd child = Child(wm, front, {0, 0, 50, 50});
    Hwnd hidden = TopLevel(wm, kApp, u"Hidden", kWorkArea, 0);
    Hwnd shellWindow = TopLevel(wm, kShell, u"Shell", {0, 0, 10, 10});

    // Top of the z-order first, a parent before its children, one process.
    std::vector<Hwnd> order;
    while (Hwnd hwnd = wm.NextToPaint(kApp)) {
        order.push_back(hwnd);
        EXPECT_TRUE(wm.TakeUpdate(hwnd).erase);
    }
    EXPECT_EQ(order, (std::vector<Hwnd>{front, child, back}));
    EXPECT_EQ(wm.NextToPaint(kShell), shellWindow);
    PaintEverything(wm);

    // Clipped to the client; erase accumulates; the whole client without a rectangle.
    wm.Invalidate(back, Rect{-10, 280, 30, 400}, false);
    EXPECT_EQ(wm.Update(back).client, (Rect{0, 280, 30, 294}));
    EXPECT_FALSE(wm.Update(back).erase);
    wm.Invalidate(back, Rect{5, 5, 6, 6}, true);
    EXPECT_EQ(wm.Update(back).client, (Rect{0, 5, 30, 294}));
    EXPECT_TRUE(wm.Update(back).erase);
    // The two parts stay apart: the band takes the small one away whole.
    wm.Validate(back, Rect{0, 0, 240, 100});
    EXPECT_EQ(wm.Update(back).client, (Rect{0, 280, 30, 294}));
    wm.Validate(back, std::nullopt);
    EXPECT_EQ(wm.NextToPaint(kApp), 0u);

    // A window moved down and right exposes an L beneath it, not the box
    // around the L.
    wm.Move(front, Rect{20, 46, 120, 120});
    sim::Region exposed = wm.Update(back).area;
    EXPECT_EQ(exposed.Bounds(), (Rect{0, 0, 100, 74}));
    EXPECT_FALSE(exposed.Contains(sim::Point{50, 30})) << "still covered by the front window";
    EXPECT_TRUE(exposed.Contains(sim::Point{5, 60}));
    EXPECT_TRUE(exposed.Contains(sim::Point{90, 5}));
    PaintEverything(wm);
    wm.Move(front, Rect{0, 26, 100, 100});
    PaintEverything(wm);

    // Children are painted over by their parent unless it clips them.
    wm.Invalidate(front, std::nullopt, false);
    EXPECT_EQ(wm.Update(child).client, (Rect{0, 0, 50, 50}));
    EXPECT_EQ(wm.NextToPaint(kApp, child), child);
    PaintEverything(wm);
    wm.SetStyle(front, WS_VISIBLE | WS_CLIPCHILDREN);
    wm.Invalidate(front, Rect{40, 40, 60, 60}, true);
    EXPECT_TRUE(wm.Update(child).client.Empty());
    EXPECT_EQ(wm.NextToPaint(kApp, child), 0u);
    EXPECT_EQ(wm.TakeUpdate(front).client, (Rect{40, 40, 60, 60}));
    EXPECT_TRUE(wm.Update(front).client.Empty());

    // Invisible windows never need paint.
    EXPECT_TRUE(wm.Invalidate(hidden, std::nullopt, true));
    EXPECT_EQ(wm.NextToPaint(kApp), 0u);
    wm.Invalidate(child, std::nullopt, true);
    wm.Show(front, false);
    EXPECT_EQ(wm.NextToPaint(kApp), back);  // uncovered by the hidden front
    EXPECT_TRUE(wm.Update(child).client.Empty());
    EXPECT_FALSE(wm.Invalidate(0xDEAD0, std::nullopt, true));
}

TEST(WindowManager, DestroyListsWindowsInWmDestroyOrder)
{
    WindowManager wm(kScreen, kWorkArea);
    wm.SetDesktopOwner(kShell);
    Hwnd main = TopLevel(wm, kApp, u"Main", kWorkArea);
    Hwnd a = Child(wm, main, {});
    Hwnd a1 = Child(wm, a, {});
    Hwnd b = Child(wm, main, {});
    Hwnd box = TopLevel(wm, kApp, u"Box", {}, WS_POPUP, 0, main);
    Hwnd foreignBox = TopLevel(wm, kShell, u"Foreign", {}, WS_POPUP, 0, main);
    Hwnd shellChild = Child(wm, wm.Desktop(), {});
    Hwnd appInShell = TopLevel(wm, kShell, u"Host", kWorkArea);
    Hwnd plugIn = Child(wm, appInShell, {});
    sim::CreateParams params;
    params.style = WS_CHILD;
    params.parent = appInShell;
    Hwnd guest = wm.Create(kApp, params);

    std::vector<Hwnd> expected{box, main, a, a1, b};
    EXPECT_EQ(wm.DestructionOrder(main), expected);
    EXPECT_TRUE(wm.IsWindow(main));
    EXPECT_EQ(wm.Destroy(main).destroyed, expected);
    for (Hwnd hwnd : expected)
        EXPECT_FALSE(wm.IsWindow(hwnd));
    // A window of another process loses its owner instead.
    EXPECT_EQ(wm.Get(foreignBox)->owner, 0u);
    EXPECT_TRUE(wm.Destroy(main).destroyed.empty());

    Hwnd second = TopLevel(wm, kApp, u"Second", kWorkArea);
    EXPECT_EQ(wm.DestroyAllOf(kApp).destroyed, (std::vector<Hwnd>{second, guest}));
    EXPECT_EQ(wm.Get(appInShell)->children, (std::vector<Hwnd>{plugIn}));

    EXPECT_EQ(wm.DestroyAllOf(kShell).destroyed, (std::vector<Hwnd>{appInShell, plugIn, foreignBox, shellChild}));
    EXPECT_EQ(wm.TopLevelZOrder(), (std::vector<Hwnd>{wm.Desktop()}));
    EXPECT_EQ(wm.Get(wm.Desktop())->pid, 0u);
}

TEST(WindowManager, ReportsParentsVisibilityAndCoordinates)
{
    WindowManager wm(kScreen, kWorkArea);
    Hwnd main = TopLevel(wm, kApp, u"Main", {10, 30, 110, 130}, 0);
    Hwnd child = Child(wm, main, {5, 6, 25, 26});
    EXPECT_FALSE(wm.IsVisible(child));
    wm.Show(main, true);
    EXPECT_TRUE(wm.IsVisible(child));
    EXPECT_TRUE(wm.Get(main)->style & WS_VISIBLE);

    EXPECT_EQ(wm.MapOffset(child, 0), (sim::Point{15, 36}));
    EXPECT_EQ(wm.MapOffset(0, child), (sim::Point{-15, -36}));
    EXPECT_EQ(wm.MapOffset(child, main), (sim::Point{5, 6}));
    EXPECT_EQ(wm.MapOffset(0, 0), (sim::Point{0, 0}));
    EXPECT_EQ(wm.MapOffset(child, 0xDEAD0), std::nullopt);

    // Moving a parent carries its children; a child moves relative to it.
    wm.Move(main, {0, 50, 200, 250});
    EXPECT_EQ(wm.Get(child)->rect, (Rect{5, 56, 25, 76}));
    wm.Move(child, {1, 1, 2, 2});
    EXPECT_EQ(wm.Get(child)->rect, (Rect{1, 51, 2, 52}));
    EXPECT_FALSE(wm.Move(0xDEAD0, {}));

    EXPECT_FALSE(wm.Enable(main, false));
    EXPECT_FALSE(wm.IsEnabled(main));
    EXPECT_TRUE(wm.Enable(main, true));
    EXPECT_EQ(wm.SetLong(main, GWL_USERDATA, static_cast<uint32_t>(-5)), 0u);
    EXPECT_EQ(wm.Get(main)->userData, -5);
    EXPECT_EQ(wm.Long(main, 0), std::nullopt) << "no extra bytes";
    EXPECT_TRUE(wm.SetExStyle(main, WS_EX_TOOLWINDOW));
    EXPECT_EQ(wm.Get(main)->exStyle, static_cast<uint32_t>(WS_EX_TOOLWINDOW));
    EXPECT_FALSE(wm.SetTitle(0xDEAD0, u"x"));
    EXPECT_EQ(wm.Get(0xDEAD0), nullptr);
}

TEST(WindowManager, DumpListsTheTreeWithMarks)
{
    WindowManager wm(kScreen, kWorkArea);
    wm.SetDesktopOwner(kShell);
    Hwnd main = TopLevel(wm, kApp, u"Say \"hi\"", kWorkArea);
    Hwnd edit = Child(wm, main, {0, 0, 50, 20}, WS_CHILD);
    wm.SetForeground(main);
    wm.Show(edit, true);
    wm.SetFocus(edit);
    wm.SetCapture(main);
    char expected[512];
    std::snprintf(expected, sizeof expected,
                  "0x%x pid=2 class=\"TestClass\" title=\"Say \\\"hi\\\"\" rect=0,26,240,320 visible=1 active capture\n"
                  "  0x%x pid=2 class=\"STATIC\" title=\"\" rect=0,26,50,46 visible=1 focus\n"
                  "0x%x pid=1 class=\"DesktopExplorerWindow\" title=\"Desktop\" rect=0,0,240,320 visible=1\n",
                  main, edit, wm.Desktop());
    EXPECT_EQ(wm.Dump(), expected);
}

TEST(WindowManager, ScreenChangeResizesFullScreenWindows)
{
    WindowManager wm(kScreen, kWorkArea);
    Hwnd main = TopLevel(wm, kApp, u"Main", kWorkArea);
    Hwnd full = TopLevel(wm, kApp, u"Full", kScreen);
    Hwnd small = TopLevel(wm, kApp, u"Small", {10, 40, 60, 90});
    Hwnd child = Child(wm, main, {0, 0, 10, 10});
    PaintEverything(wm);

    const Rect landscape{0, 0, 320, 240};
    const Rect landscapeWork{0, 26, 320, 240};
    std::vector<Hwnd> resized = wm.ScreenChanged(landscape, landscapeWork);
    EXPECT_EQ(resized, (std::vector<Hwnd>{full, main, wm.Desktop()}));
    EXPECT_EQ(wm.Get(main)->rect, landscapeWork);
    EXPECT_EQ(wm.Get(full)->rect, landscape);
    EXPECT_EQ(wm.Get(wm.Desktop())->rect, landscape);
    EXPECT_EQ(wm.Get(small)->rect, (Rect{10, 40, 60, 90}));
    EXPECT_EQ(wm.Get(child)->rect, (Rect{0, 26, 10, 36}));
    EXPECT_EQ(wm.WorkArea(), landscapeWork);
    EXPECT_EQ(wm.Update(small).client, (Rect{0, 0, 50, 50}));  // repainted all the same

    sim::CreateParams params;
    params.x = CW_USEDEFAULT;
    params.width = CW_USEDEFAULT;
    EXPECT_EQ(wm.Get(wm.Create(kApp, params))->rect, landscapeWork);
}

}  // namespace

namespace {

// A soft-key bar and a popup menu take taps without becoming active.
TEST(WindowManager, NoActivateWindowsAreRaisedButNeverActivated)
{
    WindowManager wm(kScreen, kWorkArea);
    Hwnd below = TopLevel(wm, kApp, u"Below", {0, 294, 240, 320}, WS_VISIBLE | WS_POPUP, WS_EX_NOACTIVATE);
    Hwnd app = TopLevel(wm, kApp, u"App", {0, 26, 240, 294});
    Hwnd bar = TopLevel(wm, kApp, u"Bar", {0, 294, 240, 320}, WS_VISIBLE | WS_POPUP, WS_EX_NOACTIVATE, app);
    wm.SetForeground(app);
    wm.BringToTop(below);
    ASSERT_EQ(wm.TopLevelZOrder().front(), below);

    EXPECT_FALSE(wm.SetForeground(bar).Changed());
    EXPECT_EQ(wm.Active(), app);
    EXPECT_EQ(wm.TopLevelZOrder().front(), bar);

    // Activation passes over it to the next window that can take it.
    sim::ShowResult hidden = wm.Show(app, false);
    EXPECT_EQ(hidden.activation.activated, wm.Desktop());
    EXPECT_EQ(wm.Active(), wm.Desktop());
}

TEST(WindowManager, ScreenChangeKeepsABottomBarAtTheBottom)
{
    WindowManager wm(kScreen, kWorkArea);
    Hwnd bar = TopLevel(wm, kApp, u"Bar", {0, 294, 240, 320}, WS_VISIBLE | WS_POPUP);
    Hwnd narrow = TopLevel(wm, kApp, u"Narrow", {10, 300, 60, 320}, WS_VISIBLE | WS_POPUP);

    std::vector<Hwnd> resized = wm.ScreenChanged(Rect{0, 0, 320, 240}, Rect{0, 26, 320, 240});
    EXPECT_EQ(wm.Get(bar)->rect, (Rect{0, 214, 320, 240}));
    EXPECT_EQ(wm.Get(narrow)->rect, (Rect{10, 300, 60, 320}));
    EXPECT_NE(std::find(resized.begin(), resized.end(), bar), resized.end());
}

}  // namespace
