// TrackPopupMenuEx: the menu's levels in topmost windows of their own that
// never take activation, and a modal loop that takes the stylus (by
// capture) and every key of the process while it runs, as the Windows menu
// loop does.
#include <memory>
#include <string>
#include <vector>

#include "ce/errors.h"
#include "ce/gdi.h"
#include "ce/menus.h"
#include "ce/resources.h"
#include "ce/user.h"
#include "ce/windowing.h"
#include "local_windows.h"
#include "menu_objects.h"
#include "popup_drawing.h"
#include "popup_layout.h"
#include "server/event_log.h"
#include "server/open_menus.h"
#include "server/wire_records.h"
#include "server_connection.h"

namespace platform {
namespace {

constexpr char16_t kPopupClass[] = u"#32768";
constexpr DWORD kErrorPopupAlreadyActive = 1446;
// How far the stylus that opened a menu must move before its release
// chooses what it is over: a tap-and-hold that opens a context menu at the
// stylus releases on the first item without meaning it.
constexpr LONG kDragTolerance = 5;

struct Level {
    HMENU menu = nullptr;
    std::vector<PopupItemLook> looks;
    std::vector<UINT> ids;
    std::vector<HMENU> submenus;
    PopupGeometry geometry;
    LONG offset = 0;
    int selected = -1;
    HWND hwnd = nullptr;
};

struct Tracking {
    HWND owner = nullptr;
    UINT flags = 0;
    POINT origin{};
    RECT screen{};
    int dpi = 96;
    PopupMetrics metrics{96};
    std::vector<std::unique_ptr<Level>> levels;  // the root first
    bool ended = false;
    UINT chosen = 0;
    bool strokeInLoop = false;  // the stylus went down while the menu was open
    bool dragged = false;       // the stylus that opened the menu moved away
    bool cancelling = false;    // a tap outside: the menu ends when the stylus lifts
};

Tracking* g_tracking = nullptr;

Level* LevelOf(HWND hwnd)
{
    if (!g_tracking)
        return nullptr;
    for (const auto& level : g_tracking->levels)
        if (level->hwnd == hwnd)
            return level.get();
    return nullptr;
}

// The open levels' shown items, for the device's scripts.
void Report(const Tracking& t)
{
    std::vector<sim::MenuItemPlace> places;
    for (const auto& level : t.levels) {
        if (t.cancelling)
            break;
        for (size_t i = 0; i < level->looks.size(); ++i) {
            RECT r = ScrolledItem(level->geometry, level->offset, i);
            if (level->looks[i].separator || r.top < level->geometry.ViewTop() ||
                r.bottom > level->geometry.ViewBottom())
                continue;
            const RECT& w = level->geometry.window;
            places.push_back({level->looks[i].text, {w.left + r.left, w.top + r.top, w.left + r.right, w.top + r.bottom}});
        }
    }
    sim::WireWriter args;
    sim::WriteMenuItems(args, places);
    Call(sim::Op::MenuItems, args);
}

std::string ItemsField(const Level& level)
{
    std::u16string items;
    for (size_t i = 0; i < level.looks.size(); ++i) {
        const PopupItemLook& look = level.looks[i];
        if (i > 0)
            items += u'|';
        if (look.separator) {
            items += u'-';
            continue;
        }
        if (look.checked)
            items += u'*';
        items += look.text;
        if (look.popup)
            items += u'>';
    }
    return sim::QuoteLogText(items);
}

void LogShown(const Tracking& t, const Level& level)
{
    Server().LogEvent("menu-shown owner=" + std::to_string(WindowId(t.owner)) + " items=" + ItemsField(level));
}

void ReadItems(Level& level)
{
    const Menu* menu = FindMenu(level.menu);
    for (const MenuItem& item : menu->items) {
        PopupItemLook look;
        look.separator = item.IsSeparator();
        look.popup = item.IsPopup();
        look.checked = (item.state & MF_CHECKED) != 0;
        look.grayed = (item.state & (MF_GRAYED | MF_DISABLED)) != 0;
        look.text = item.text;
        level.looks.push_back(look);
        level.ids.push_back(item.id);
        level.submenus.push_back(look.popup ? item.submenu : nullptr);
    }
}

void Redraw(const Level& level) { InvalidateRect(level.hwnd, nullptr, FALSE); }

// Shows a level: the root at TrackPopupMenu's point, a submenu beside the
// parent's item that opens it. The owner may fill the menu first.
bool Open(Tracking& t, HMENU menu, int parentItem)
{
    if (!(t.flags & TPM_NONOTIFY))
        SendMessageW(t.owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
                     MAKELPARAM(parentItem < 0 ? 0 : parentItem, FALSE));
    if (!FindMenu(menu) || FindMenu(menu)->items.empty())
        return false;
    auto level = std::make_unique<Level>();
    level->menu = menu;
    ReadItems(*level);
    SIZE size = PopupSize(level->looks, MeasurePopupTexts(level->looks, t.dpi), t.metrics, t.screen);
    RECT window;
    if (t.levels.empty()) {
        window = PlaceAtPoint(size, t.origin, t.flags, t.screen);
    } else {
        const Level& parent = *t.levels.back();
        LONG itemTop = parent.geometry.window.top + ScrolledItem(parent.geometry, parent.offset, parentItem).top;
        window = PlaceBeside(size, parent.geometry.window, itemTop, t.metrics, t.screen);
    }
    level->geometry = LayOutPopup(level->looks, window, t.metrics);
    HWND owner = FindLocalWindow(t.owner) ? t.owner : nullptr;
    level->hwnd = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, kPopupClass, u"", WS_POPUP, window.left,
                                  window.top, window.right - window.left, window.bottom - window.top, owner, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (!level->hwnd)
        return false;
    Level& shown = *level;
    t.levels.push_back(std::move(level));
    ShowWindow(shown.hwnd, SW_SHOWNA);
    if (t.levels.size() == 1)
        SetCapture(shown.hwnd);
    LogShown(t, shown);
    Report(t);
    return true;
}

// The level leaves the list before its window goes, so that its WM_DESTROY
// is not taken for a window destroyed from outside.
void CloseDeepest(Tracking& t)
{
    std::unique_ptr<Level> level = std::move(t.levels.back());
    t.levels.pop_back();
    if (level->hwnd)
        DestroyWindow(level->hwnd);
}

// Closes the levels deeper than depth (0: all but the root).
void CloseBelow(Tracking& t, size_t depth)
{
    if (t.levels.size() <= depth + 1)
        return;
    while (t.levels.size() > depth + 1)
        CloseDeepest(t);
    Report(t);
}

void End(Tracking& t, UINT chosen)
{
    t.ended = true;
    t.chosen = chosen;
}

void Select(Level& level, int item)
{
    if (level.selected == item)
        return;
    level.selected = item;
    if (item >= 0)
        level.offset = ScrollToShow(level.geometry, level.offset, static_cast<size_t>(item));
    Redraw(level);
}

// Opens the submenu of the level's selected item, if it has one.
bool OpenSelected(Tracking& t, size_t depth, bool selectFirst)
{
    Level& level = *t.levels[depth];
    if (level.selected < 0 || !level.looks[static_cast<size_t>(level.selected)].popup)
        return false;
    CloseBelow(t, depth);
    if (Open(t, level.submenus[static_cast<size_t>(level.selected)], level.selected) && selectFirst) {
        Level& opened = *t.levels.back();
        Select(opened, NextSelectable(opened.looks, -1, 1));
    }
    return true;
}

// RETURN or a release on an item: a submenu opens, a command ends the menu.
void Activate(Tracking& t, size_t depth, bool fromKeys)
{
    Level& level = *t.levels[depth];
    if (level.selected < 0)
        return;
    const PopupItemLook& look = level.looks[static_cast<size_t>(level.selected)];
    if (look.separator || look.grayed)
        return;
    if (look.popup) {
        if (depth + 1 == t.levels.size())
            OpenSelected(t, depth, fromKeys);
        return;
    }
    End(t, level.ids[static_cast<size_t>(level.selected)]);
}

struct Hit {
    int depth = -1;  // the level under the point, deepest first
    int item = -1;
    int band = 0;  // -1 or +1 in a scroll band
};

Hit HitAt(const Tracking& t, POINT screen)
{
    for (size_t d = t.levels.size(); d-- > 0;) {
        const Level& level = *t.levels[d];
        if (!PtInRect(&level.geometry.window, screen))
            continue;
        POINT client = {screen.x - level.geometry.window.left, screen.y - level.geometry.window.top};
        Hit hit;
        hit.depth = static_cast<int>(d);
        if (level.geometry.band > 0 && client.y < level.geometry.ViewTop())
            hit.band = -1;
        else if (level.geometry.band > 0 && client.y >= level.geometry.ViewBottom())
            hit.band = 1;
        else
            hit.item = PopupItemAt(level.geometry, level.offset, client);
        return hit;
    }
    return Hit{};
}

POINT ScreenPointOf(const MSG& msg)
{
    POINT p = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    if (const Level* level = LevelOf(msg.hwnd)) {
        p.x += level->geometry.window.left;
        p.y += level->geometry.window.top;
    } else {
        MapWindowPoints(msg.hwnd, nullptr, &p, 1);
    }
    return p;
}

// The stylus over an item selects it and opens its submenu; deeper levels
// opened from other items close.
void PointAt(Tracking& t, const Hit& hit)
{
    size_t depth = static_cast<size_t>(hit.depth);
    Level& level = *t.levels[depth];
    bool opensNext = depth + 1 < t.levels.size() && level.selected == hit.item;
    if (opensNext)
        return;
    CloseBelow(t, depth);
    Select(level, hit.item);
    if (hit.item >= 0 && !level.looks[static_cast<size_t>(hit.item)].grayed)
        OpenSelected(t, depth, false);
}

void Scroll(Tracking& t, const Hit& hit)
{
    Level& level = *t.levels[static_cast<size_t>(hit.depth)];
    LONG offset = ScrollStep(level.geometry, level.offset, hit.band, t.metrics);
    if (offset == level.offset)
        return;
    CloseBelow(t, static_cast<size_t>(hit.depth));
    level.offset = offset;
    Redraw(level);
    Report(t);
}

// A tap outside every level hides the menu at once; the loop ends when the
// stylus lifts, so that the tap reaches nothing beneath.
void OnStylusDown(Tracking& t, POINT p)
{
    t.strokeInLoop = true;
    Hit hit = HitAt(t, p);
    if (hit.depth < 0) {
        t.cancelling = true;
        for (const auto& level : t.levels)
            ShowWindow(level->hwnd, SW_HIDE);
        Report(t);
    } else if (hit.band != 0) {
        Scroll(t, hit);
    } else if (hit.item >= 0) {
        PointAt(t, hit);
    }
}

void OnStylusMove(Tracking& t, POINT p)
{
    if (t.cancelling)
        return;
    LONG tolerance = (kDragTolerance * t.dpi + 48) / 96;
    if (!t.strokeInLoop && (std::abs(p.x - t.origin.x) > tolerance || std::abs(p.y - t.origin.y) > tolerance))
        t.dragged = true;
    Hit hit = HitAt(t, p);
    if (hit.depth >= 0 && hit.item >= 0 && (t.strokeInLoop || t.dragged))
        PointAt(t, hit);
}

void OnStylusUp(Tracking& t, POINT p)
{
    if (t.cancelling) {
        End(t, 0);
        return;
    }
    Hit hit = HitAt(t, p);
    if (hit.depth < 0 || hit.item < 0 || !(t.strokeInLoop || t.dragged))
        return;
    PointAt(t, hit);
    if (!t.ended)
        Activate(t, static_cast<size_t>(hit.depth), false);
}

void OnKey(Tracking& t, WPARAM key)
{
    size_t depth = t.levels.size() - 1;
    Level& level = *t.levels[depth];
    switch (key) {
    case VK_UP:
    case VK_DOWN: Select(level, NextSelectable(level.looks, level.selected, key == VK_UP ? -1 : 1)); break;
    case VK_RIGHT: OpenSelected(t, depth, true); break;
    case VK_RETURN: Activate(t, depth, true); break;
    case VK_LEFT:
        if (depth > 0)
            CloseBelow(t, depth - 1);
        break;
    case VK_ESCAPE:
        if (depth > 0)
            CloseBelow(t, depth - 1);
        else
            End(t, 0);
        break;
    // The soft keys close the menu, as on the device.
    case VK_F1:
    case VK_F2: End(t, 0); break;
    default: break;
    }
}

bool IsKeyMessage(UINT message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP ||
           message == WM_CHAR;
}

// Takes the stylus and the keys itself; everything else is dispatched, so
// that windows keep painting and timers keep running. A quit ends the menu
// and is posted again for the program's own loop.
void RunLoop(Tracking& t)
{
    MSG msg;
    while (!t.ended) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                PostQuitMessage(static_cast<int>(msg.wParam));
            End(t, 0);
            break;
        }
        switch (msg.message) {
        case WM_LBUTTONDOWN: OnStylusDown(t, ScreenPointOf(msg)); break;
        case WM_MOUSEMOVE: OnStylusMove(t, ScreenPointOf(msg)); break;
        case WM_LBUTTONUP: OnStylusUp(t, ScreenPointOf(msg)); break;
        default:
            if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)
                OnKey(t, msg.wParam);
            else if (!IsKeyMessage(msg.message))
                DispatchMessageW(&msg);
        }
    }
}

LRESULT CALLBACK PopupProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Level* level = LevelOf(hwnd);
    switch (msg) {
    case WM_PAINT:
        if (level) {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(hwnd, &paint);
            DrawPopupLevel(dc, level->geometry, level->looks, level->offset, level->selected, g_tracking->metrics,
                           g_tracking->dpi);
            EndPaint(hwnd, &paint);
            return 0;
        }
        break;
    case WM_ERASEBKGND: return 1;
    // Destroyed from outside (its owner went): the menu is cancelled.
    case WM_DESTROY:
        if (level && !g_tracking->ended) {
            level->hwnd = nullptr;
            End(*g_tracking, 0);
        }
        return 0;
    default: break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

bool EnsurePopupClass()
{
    HINSTANCE module = GetModuleHandleW(nullptr);
    WNDCLASSW wc = {};
    if (GetClassInfoW(module, kPopupClass, &wc))
        return true;
    wc.lpfnWndProc = PopupProc;
    wc.hInstance = module;
    wc.lpszClassName = kPopupClass;
    return RegisterClassW(&wc) != 0;
}

void ReadScreen(Tracking& t)
{
    std::string reply = Call(sim::Op::Screen, sim::WireWriter());
    sim::WireReader in(reply);
    sim::ScreenInfo screen = sim::ReadScreen(in);
    t.screen = RECT{0, 0, screen.width, screen.height};
    t.dpi = screen.dpi;
    t.metrics = PopupMetrics(screen.dpi);
}

void Finish(Tracking& t)
{
    if (GetCapture() && LevelOf(GetCapture()))
        ReleaseCapture();
    while (!t.levels.empty())
        CloseDeepest(t);
    Report(t);
    Server().LogEvent(t.chosen ? "menu-chosen id=" + std::to_string(t.chosen) : std::string("menu-cancel"));
}

}  // namespace
}  // namespace platform

using namespace platform;

BOOL TrackPopupMenuEx(HMENU hMenu, UINT uFlags, int x, int y, HWND hWnd, LPTPMPARAMS)
{
    if (!FindMenu(hMenu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    if (!IsWindow(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (g_tracking) {
        SetLastError(kErrorPopupAlreadyActive);
        return FALSE;
    }
    if (!EnsurePopupClass())
        return FALSE;
    Tracking t;
    t.owner = hWnd;
    t.flags = uFlags;
    t.origin = POINT{x, y};
    ReadScreen(t);
    g_tracking = &t;
    // An empty menu shows nothing and cannot be chosen from.
    if (!Open(t, hMenu, -1)) {
        g_tracking = nullptr;
        return FALSE;
    }
    RunLoop(t);
    Finish(t);
    g_tracking = nullptr;
    if (uFlags & TPM_RETURNCMD)
        return static_cast<BOOL>(t.chosen);
    if (t.chosen)
        PostMessageW(hWnd, WM_COMMAND, MAKEWPARAM(t.chosen, 0), 0);
    // Without TPM_RETURNCMD the call succeeds whether or not an item was
    // chosen, as on Windows.
    return TRUE;
}

BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int, HWND hWnd, const RECT*)
{
    return TrackPopupMenuEx(hMenu, uFlags, x, y, hWnd, nullptr);
}
