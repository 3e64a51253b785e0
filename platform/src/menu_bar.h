// The soft-key bar of the shell library: a "menu_worker" window at the
// bottom of the screen, owned by the program's window, with a left and a
// right soft key (tool-bar buttons) that send their command or open their
// menu.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "ce/types.h"

namespace platform {

constexpr char16_t kMenuBarClass[] = u"menu_worker";

struct SoftKey {
    int command = 0;
    int image = 0;
    BYTE state = 0;  // TBSTATE_ENABLED, TBSTATE_HIDDEN
    BYTE style = 0;  // TBSTYLE_DROPDOWN opens the menu in lParam
    WORD cx = 0;
    DWORD_PTR lParam = 0;  // the button's menu
    std::u16string text;

    bool Shown() const;
    bool Usable() const;
};

struct MenuBar {
    HWND hwnd = nullptr;
    HWND owner = nullptr;
    UINT templateId = 0;
    HMENU loaded = nullptr;     // the menu resource the bar read; destroyed with the bar
    std::vector<SoftKey> keys;  // the left soft key first
    int pressed = -1;
    bool hiddenWithOwner = false;
    std::map<UINT, LPARAM> keyOverrides;  // SHCMBM_OVERRIDEKEY: key -> mask and value
};

// Creates the bar's window for a bar already filled in; false when the
// window cannot be made.
bool CreateMenuBarWindow(MenuBar bar, bool hidden, HWND& hwnd);

// Called before every WM_ACTIVATE reaches a window of this process: the
// window's bars hide when it is deactivated and come back when it is
// activated again.
void NoteMenuBarOwnerActivation(HWND owner, bool active);

// The bar's height at the screen's dpi.
LONG MenuBarHeight(int dpi);

// Where each soft key sits in the bar's client area: the left key the left
// half, the right key the right half.
RECT SoftKeyRect(const RECT& client, size_t index);

void DrawMenuBar(HDC dc, const RECT& client, const MenuBar& bar, int dpi);

}  // namespace platform
