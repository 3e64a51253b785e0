// The soft-key and menu tables of the program's pages, and the commands
// their items send.
#pragma once

#include "ui/menu_bar.h"

// Commands of the menus.
#define REFRESH_COMMAND 101
#define QUIT_COMMAND 103
#define KILL_TASK_COMMAND 101
#define ACTIVATE_TASK_COMMAND 102
#define TASK_QUIT_COMMAND 103
#define TASK_REFRESH_COMMAND 104
#define KILL_ALL_TASKS_COMMAND 105
#define POWER_PANEL_COMMAND 300
#define BACKLIGHT_PANEL_COMMAND 301
// Theme row r sends THEME_COMMAND_BASE + r; highlight strength s (0, 25,
// 50, 75, 100) sends HIGHLIGHT_COMMAND_BASE + s.
#define THEME_COMMAND_BASE 200
#define THEME_COMMAND_LAST 399
#define HIGHLIGHT_COMMAND_BASE 400

#define MONITOR_PAGE_MENU_COUNT 8
#define AGREEMENT_MENU_COUNT 2
#define TASK_LIST_PAGE_MENU_COUNT 11
#define POPUP_TASK_PAGE_MENU_COUNT 10
#define MONITOR_CONTEXT_MENU_COUNT 2

extern const MenuDesc kMonitorPageMenu[MONITOR_PAGE_MENU_COUNT];
extern const MenuDesc kAgreementMenu[AGREEMENT_MENU_COUNT];
extern const MenuDesc kTaskListPageMenu[TASK_LIST_PAGE_MENU_COUNT];
extern const MenuDesc kPopupTaskPageMenu[POPUP_TASK_PAGE_MENU_COUNT];
extern const MenuDesc kMonitorContextMenu[MONITOR_CONTEXT_MENU_COUNT];

class MonitorWindow;

// The "Backgrounds" submenu: one item per installed theme, the current one
// checked.
void FillThemeSubmenu(const MonitorWindow* window);
// The main page's bar and menus with both submenus filled.
void BuildMonitorPageMenu(const MonitorWindow* window);
// The "Homescreen" submenu: the five highlight strengths, the stored one
// checked.
void FillHighlightSubmenu();
