// The soft-key bar's window: the tool-bar button messages, the soft keys
// (a tap, or F1 and F2, which the device server hands to the active window's
// bar), following its owner's activation, and the event log line.
#include <memory>
#include <string>
#include <vector>

#include "aygshell.h"
#include "ce/errors.h"
#include "commctrl.h"
#include "local_windows.h"
#include "menu_bar.h"
#include "menu_objects.h"
#include "server/event_log.h"
#include "server/wire_records.h"
#include "server_connection.h"

namespace platform {
namespace {

// The device's record size; see kDeviceMenuBarInfoSize.
constexpr UINT kDeviceButtonInfoSize = 32;

std::vector<std::unique_ptr<MenuBar>>& Bars()
{
    static std::vector<std::unique_ptr<MenuBar>> bars;
    return bars;
}

// The last menubar line this process logged; a bar logs when what it shows
// differs from it.
std::string& LastLogged()
{
    static std::string line;
    return line;
}

MenuBar* BarOf(HWND hwnd)
{
    for (const auto& bar : Bars())
        if (bar->hwnd == hwnd)
            return bar.get();
    return nullptr;
}

int ScreenDpi()
{
    std::string reply = Call(sim::Op::Screen, sim::WireWriter());
    sim::WireReader in(reply);
    return sim::ReadScreen(in).dpi;
}

std::string KeyTextField(const MenuBar& bar, size_t index)
{
    bool shown = index < bar.keys.size() && bar.keys[index].Shown();
    return sim::QuoteLogText(shown ? bar.keys[index].text : std::u16string());
}

void LogIfChanged(const MenuBar& bar)
{
    std::string line = "menubar owner=" + std::to_string(WindowId(bar.owner)) +
                       " template=" + std::to_string(bar.templateId) + " left=" + KeyTextField(bar, 0) +
                       " right=" + KeyTextField(bar, 1);
    if (line == LastLogged())
        return;
    LastLogged() = line;
    Server().LogEvent(line);
}

// TB_GETBUTTONINFO and TB_SETBUTTONINFO name a button by command, or by
// index with TBIF_BYINDEX.
int KeyIndex(const MenuBar& bar, WPARAM which, DWORD mask)
{
    if (mask & TBIF_BYINDEX)
        return which < bar.keys.size() ? static_cast<int>(which) : -1;
    for (size_t i = 0; i < bar.keys.size(); ++i)
        if (bar.keys[i].command == static_cast<int>(which))
            return static_cast<int>(i);
    return -1;
}

LRESULT GetButtonInfo(const MenuBar& bar, WPARAM which, TBBUTTONINFOW* info)
{
    if (!info || info->cbSize < kDeviceButtonInfoSize)
        return -1;
    int index = KeyIndex(bar, which, info->dwMask);
    if (index < 0)
        return -1;
    const SoftKey& key = bar.keys[static_cast<size_t>(index)];
    if (info->dwMask & TBIF_COMMAND)
        info->idCommand = key.command;
    if (info->dwMask & TBIF_IMAGE)
        info->iImage = key.image;
    if (info->dwMask & TBIF_STATE)
        info->fsState = key.state;
    if (info->dwMask & TBIF_STYLE)
        info->fsStyle = key.style;
    if (info->dwMask & TBIF_SIZE)
        info->cx = key.cx;
    if (info->dwMask & TBIF_LPARAM)
        info->lParam = key.lParam;
    if ((info->dwMask & TBIF_TEXT) && info->pszText && info->cchText > 0) {
        size_t copied = std::min(key.text.size(), static_cast<size_t>(info->cchText - 1));
        std::copy_n(key.text.begin(), copied, info->pszText);
        info->pszText[copied] = 0;
    }
    return index;
}

LRESULT SetButtonInfo(MenuBar& bar, WPARAM which, const TBBUTTONINFOW* info)
{
    if (!info || info->cbSize < kDeviceButtonInfoSize)
        return FALSE;
    int index = KeyIndex(bar, which, info->dwMask);
    if (index < 0)
        return FALSE;
    SoftKey& key = bar.keys[static_cast<size_t>(index)];
    if (info->dwMask & TBIF_COMMAND)
        key.command = info->idCommand;
    if (info->dwMask & TBIF_IMAGE)
        key.image = info->iImage;
    if (info->dwMask & TBIF_STATE)
        key.state = info->fsState;
    if (info->dwMask & TBIF_STYLE)
        key.style = info->fsStyle;
    if (info->dwMask & TBIF_SIZE)
        key.cx = info->cx;
    if (info->dwMask & TBIF_LPARAM)
        key.lParam = info->lParam;
    if (info->dwMask & TBIF_TEXT)
        key.text = MenuItemText(info->pszText);
    InvalidateRect(bar.hwnd, nullptr, FALSE);
    return TRUE;
}

// A plain key sends its command to the owner; a drop-down key opens its
// menu upward from the key, the chosen command going to the owner.
void PressKey(MenuBar& bar, size_t index)
{
    if (index >= bar.keys.size() || !bar.keys[index].Usable())
        return;
    const SoftKey& key = bar.keys[index];
    HMENU menu = reinterpret_cast<HMENU>(key.lParam);
    if (!(key.style & TBSTYLE_DROPDOWN) || !FindMenu(menu)) {
        PostMessageW(bar.owner, WM_COMMAND, MAKEWPARAM(key.command, 0), reinterpret_cast<LPARAM>(bar.hwnd));
        return;
    }
    RECT window;
    GetWindowRect(bar.hwnd, &window);
    bool left = index == 0;
    HWND hwnd = bar.hwnd;
    bar.pressed = static_cast<int>(index);
    InvalidateRect(hwnd, nullptr, FALSE);
    TrackPopupMenuEx(menu, (left ? TPM_LEFTALIGN : TPM_RIGHTALIGN) | TPM_BOTTOMALIGN,
                     left ? window.left : window.right, window.top, bar.owner, nullptr);
    // The menu's command may have destroyed the bar.
    if (MenuBar* still = BarOf(hwnd)) {
        still->pressed = -1;
        InvalidateRect(hwnd, nullptr, FALSE);
    }
}

int KeyAt(const MenuBar& bar, LPARAM lParam)
{
    RECT client;
    GetClientRect(bar.hwnd, &client);
    POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    for (size_t i = 0; i < bar.keys.size(); ++i) {
        RECT r = SoftKeyRect(client, i);
        if (PtInRect(&r, p))
            return static_cast<int>(i);
    }
    return -1;
}

// A drop-down key opens its menu as soon as the stylus touches it; a plain
// key sends its command when the stylus lifts over it.
void OnStylusDown(MenuBar& bar, LPARAM lParam)
{
    int index = KeyAt(bar, lParam);
    if (index < 0 || !bar.keys[static_cast<size_t>(index)].Usable())
        return;
    if (bar.keys[static_cast<size_t>(index)].style & TBSTYLE_DROPDOWN) {
        PressKey(bar, static_cast<size_t>(index));
        return;
    }
    bar.pressed = index;
    SetCapture(bar.hwnd);
    InvalidateRect(bar.hwnd, nullptr, FALSE);
}

void OnStylusUp(MenuBar& bar, LPARAM lParam)
{
    int pressed = bar.pressed;
    if (pressed < 0)
        return;
    bar.pressed = -1;
    if (GetCapture() == bar.hwnd)
        ReleaseCapture();
    InvalidateRect(bar.hwnd, nullptr, FALSE);
    if (KeyAt(bar, lParam) == pressed)
        PressKey(bar, static_cast<size_t>(pressed));
}

void OnPaint(MenuBar& bar)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(bar.hwnd, &paint);
    RECT client;
    GetClientRect(bar.hwnd, &client);
    DrawMenuBar(dc, client, bar, ScreenDpi());
    EndPaint(bar.hwnd, &paint);
    LogIfChanged(bar);
}

LRESULT BarMessage(MenuBar& bar, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: OnPaint(bar); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: InvalidateRect(bar.hwnd, nullptr, FALSE); return 0;
    case WM_LBUTTONDOWN: OnStylusDown(bar, lParam); return 0;
    case WM_LBUTTONUP: OnStylusUp(bar, lParam); return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (wParam == VK_F1 || wParam == VK_F2)
            PressKey(bar, wParam == VK_F1 ? 0 : 1);
        return 0;
    case TB_GETBUTTONINFOW: return GetButtonInfo(bar, wParam, reinterpret_cast<TBBUTTONINFOW*>(lParam));
    case TB_SETBUTTONINFOW: return SetButtonInfo(bar, wParam, reinterpret_cast<const TBBUTTONINFOW*>(lParam));
    case SHCMBM_GETMENU: return reinterpret_cast<LRESULT>(bar.loaded);
    case SHCMBM_GETSUBMENU: {
        int index = KeyIndex(bar, static_cast<WPARAM>(lParam), 0);
        return index < 0 ? 0 : static_cast<LRESULT>(bar.keys[static_cast<size_t>(index)].lParam);
    }
    case SHCMBM_SETSUBMENU: {
        int index = KeyIndex(bar, wParam, 0);
        if (index < 0)
            return 0;
        DWORD_PTR previous = bar.keys[static_cast<size_t>(index)].lParam;
        bar.keys[static_cast<size_t>(index)].lParam = static_cast<DWORD_PTR>(lParam);
        return static_cast<LRESULT>(previous);
    }
    // Kept: the device server already hands every other key to the owner.
    case SHCMBM_OVERRIDEKEY: bar.keyOverrides[static_cast<UINT>(wParam)] = lParam; return TRUE;
    default: return DefWindowProcW(bar.hwnd, msg, wParam, lParam);
    }
}

void Forget(HWND hwnd)
{
    std::vector<std::unique_ptr<MenuBar>>& bars = Bars();
    for (auto it = bars.begin(); it != bars.end(); ++it) {
        if ((*it)->hwnd != hwnd)
            continue;
        if ((*it)->loaded)
            DestroyMenu((*it)->loaded);
        bars.erase(it);
        return;
    }
}

LRESULT CALLBACK BarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY) {
        Forget(hwnd);
        return 0;
    }
    MenuBar* bar = BarOf(hwnd);
    return bar ? BarMessage(*bar, msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
}

bool EnsureBarClass()
{
    HINSTANCE module = GetModuleHandleW(nullptr);
    WNDCLASSW wc = {};
    if (GetClassInfoW(module, kMenuBarClass, &wc))
        return true;
    wc.lpfnWndProc = BarProc;
    wc.hInstance = module;
    wc.lpszClassName = kMenuBarClass;
    return RegisterClassW(&wc) != 0;
}

}  // namespace

bool CreateMenuBarWindow(MenuBar bar, bool hidden, HWND& hwnd)
{
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = MenuBarHeight(ScreenDpi());
    int top = GetSystemMetrics(SM_CYSCREEN) - height;
    // Never activated: a tap on a key leaves the owner active.
    hwnd = EnsureBarClass() ? CreateWindowExW(WS_EX_NOACTIVATE, kMenuBarClass, u"", WS_POPUP, 0, top, width, height,
                                              bar.owner, nullptr, GetModuleHandleW(nullptr), nullptr)
                            : nullptr;
    if (!hwnd) {
        if (bar.loaded)
            DestroyMenu(bar.loaded);
        return false;
    }
    bar.hwnd = hwnd;
    Bars().push_back(std::make_unique<MenuBar>(std::move(bar)));
    if (!hidden)
        ShowWindow(hwnd, SW_SHOWNA);
    return true;
}

void NoteMenuBarOwnerActivation(HWND owner, bool active)
{
    for (const auto& bar : Bars()) {
        if (bar->owner != owner)
            continue;
        if (!active && IsWindowVisible(bar->hwnd)) {
            bar->hiddenWithOwner = true;
            ShowWindow(bar->hwnd, SW_HIDE);
            // Shown again, the bar logs again.
            LastLogged().clear();
        } else if (active && bar->hiddenWithOwner) {
            bar->hiddenWithOwner = false;
            ShowWindow(bar->hwnd, SW_SHOWNA);
        }
    }
}

}  // namespace platform
