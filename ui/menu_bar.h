// The menu layer: a page's table of soft-key and menu records turned into
// the shell's soft-key bar, the menus of its two buttons, two submenus of
// the right menu and a context menu.
#pragma once

#include <windows.h>

// Record kinds.
#define MENU_KIND_NONE 0
#define MENU_KIND_LEFT 1
#define MENU_KIND_RIGHT 2
#define MENU_KIND_CONTEXT 3

// Record containers; MENU_SEPARATOR is a command.
#define MENU_SOFT_KEY 1000
#define MENU_SOFT_KEY_ITEM 1001
#define MENU_SEPARATOR 1002
#define MENU_FIRST_SUBMENU 1003
#define MENU_FIRST_SUBMENU_ITEM 1004
#define MENU_SECOND_SUBMENU 1005
#define MENU_SECOND_SUBMENU_ITEM 1006
#define MENU_CONTEXT_ITEM 1010

// The soft keys' commands; a right soft key record with command 999 names
// the key whose button opens the right menu.
#define LEFT_SOFT_KEY_COMMAND 99
#define RIGHT_SOFT_KEY_COMMAND 100
#define RIGHT_MENU_KEY_COMMAND 999

// The program's soft-key bar templates (RCDATA) and its one menu resource.
#define MENU_BAR_PLAIN_AND_MENU 101
#define MENU_BAR_TWO_PLAIN 102
#define MENU_BAR_LEFT_ONLY 103
#define MENU_BAR_TWO_MENUS 104
#define MENU_BAR_TEMPLATE_COUNT 4
#define MENU_BAR_MENU_RESOURCE 101

struct MenuDesc {
    int kind;
    int container;
    int command;
    int text;  // number in the text table; 0 for separators
    int enabled;
    int reserved;
};

// One soft-key bar, made once and then only shown or hidden.
struct MenuBarRecord {
    UINT templateId;
    HWND bar;
    HMENU leftMenu;
    HMENU rightMenu;
};

struct MenuBarState {
    UINT currentBar;  // template id of the bar shown, 0 for none
    HWND barWindow;
    HMENU leftMenu;
    HMENU rightMenu;
    HMENU firstSubmenu;
    HMENU secondSubmenu;
    HMENU contextMenu;
    MenuBarRecord bars[MENU_BAR_TEMPLATE_COUNT];
};

// The process-wide state.
MenuBarState* MenuBars();

// The template for a table with that many left and right records.
UINT ChooseMenuBarTemplate(int leftCount, int rightCount);

// Shows the fitting bar and fills its menus, or, for a table with context
// records, fills only the context menu. Nothing happens for an empty table.
void BuildMenuBar(HWND window, const MenuDesc* table, int count);

// The soft key's text (kind 1 with 99, kind 2 with 100), or the text of an
// item of the right menu (kind 2) or the context menu (kind 3) found by its
// command.
void SetMenuText(int kind, int commandId, const WCHAR* text);

// Sets or clears the check mark of a command of the right menu or its
// submenus (kind 2 only).
void CheckMenuCommand(int kind, int commandId, BOOL checked);
