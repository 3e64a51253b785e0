#include "app/page_menus.h"

#include "app/monitor_window.h"
#include "settings/settings_store.h"
#include "settings/string_table.h"
#include "settings/text_table.h"

// Texts of the language file.
enum {
    kTextMenuForMoreOptions = 16,
    kTextTaskList = 17,
    kTextDone = 18,
    kTextMenu = 12,
    kTextTasks = 13,
    kTextRefresh = 22,
    kTextMemory = 24,
    kTextKillTask = 25,
    kTextActivateTask = 26,
    kTextQuit = 37,
    kTextKillAllTasks = 44,
    kTextAccept = 45,
    kTextDecline = 46,
    kTextBackgrounds = 50,
    kTextTodayScreen = 52,
};

const MenuDesc kMonitorPageMenu[MONITOR_PAGE_MENU_COUNT] = {
    {MENU_KIND_LEFT, MENU_SOFT_KEY, LEFT_SOFT_KEY_COMMAND, kTextTasks, 1, 0},
    {MENU_KIND_RIGHT, MENU_SOFT_KEY, RIGHT_MENU_KEY_COMMAND, kTextMenu, 1, 0},
    {MENU_KIND_RIGHT, MENU_SOFT_KEY_ITEM, REFRESH_COMMAND, kTextRefresh, 1, 0},
    {MENU_KIND_RIGHT, MENU_SOFT_KEY_ITEM, MENU_SEPARATOR, 0, 1, 0},
    {MENU_KIND_RIGHT, MENU_FIRST_SUBMENU, 0, kTextBackgrounds, 1, 0},
    {MENU_KIND_RIGHT, MENU_SECOND_SUBMENU, 0, kTextTodayScreen, 1, 0},
    {MENU_KIND_RIGHT, MENU_SOFT_KEY_ITEM, MENU_SEPARATOR, 0, 1, 0},
    {MENU_KIND_RIGHT, MENU_SOFT_KEY_ITEM, QUIT_COMMAND, kTextQuit, 1, 0},
};

const MenuDesc kAgreementMenu[AGREEMENT_MENU_COUNT] = {
    {MENU_KIND_LEFT, MENU_SOFT_KEY, LEFT_SOFT_KEY_COMMAND, kTextAccept, 1, 0},
    {MENU_KIND_RIGHT, MENU_SOFT_KEY, RIGHT_SOFT_KEY_COMMAND, kTextDecline, 1, 0},
};

// The last record is empty and adds nothing.
const MenuDesc kTaskListPageMenu[TASK_LIST_PAGE_MENU_COUNT] = {
    {MENU_KIND_LEFT, MENU_SOFT_KEY, LEFT_SOFT_KEY_COMMAND, kTextMemory, 1, 0},
    {MENU_KIND_RIGHT, MENU_SOFT_KEY, RIGHT_MENU_KEY_COMMAND, kTextMenu, 1, 0},
    {MENU_KIND_RIGHT, MENU_SOFT_KEY_ITEM, TASK_REFRESH_COMMAND, kTextRefresh, 1, 0},
    {MENU_KIND_RIGHT, MENU_SOFT_KEY_ITEM, MENU_SEPARATOR, 0, 1, 0},
    {MENU_KIND_RIGHT, MENU_SOFT_KEY_ITEM, KILL_TASK_COMMAND, kTextKillTask, 1, 0},
    {MENU_KIND_RIGHT, MENU_SOFT_KEY_ITEM, KILL_ALL_TASKS_COMMAND, kTextKillAllTasks, 1, 0},
    {MENU_KIND_RIGHT, MENU_SOFT_KEY_ITEM, MENU_SEPARATOR, 0, 1, 0},
    {MENU_KIND_RIGHT, MENU_SOFT_KEY_ITEM, ACTIVATE_TASK_COMMAND, kTextActivateTask, 1, 0},
    {MENU_KIND_RIGHT, MENU_SOFT_KEY_ITEM, MENU_SEPARATOR, 0, 1, 0},
    {MENU_KIND_RIGHT, MENU_SOFT_KEY_ITEM, TASK_QUIT_COMMAND, kTextQuit, 1, 0},
    {MENU_KIND_NONE, 0, 0, 0, 0, 0},
};

const MenuDesc kPopupTaskPageMenu[POPUP_TASK_PAGE_MENU_COUNT] = {
    {MENU_KIND_LEFT, MENU_SOFT_KEY, LEFT_SOFT_KEY_COMMAND, kTextDone, 1, 0},
    {MENU_KIND_RIGHT, MENU_SOFT_KEY, RIGHT_MENU_KEY_COMMAND, kTextMenu, 1, 0},
    {MENU_KIND_RIGHT, MENU_SOFT_KEY_ITEM, TASK_REFRESH_COMMAND, kTextRefresh, 1, 0},
    {MENU_KIND_RIGHT, MENU_SOFT_KEY_ITEM, MENU_SEPARATOR, 0, 1, 0},
    {MENU_KIND_RIGHT, MENU_FIRST_SUBMENU, 0, kTextBackgrounds, 1, 0},
    {MENU_KIND_RIGHT, MENU_SOFT_KEY_ITEM, MENU_SEPARATOR, 0, 1, 0},
    {MENU_KIND_RIGHT, MENU_SOFT_KEY_ITEM, KILL_TASK_COMMAND, kTextKillTask, 1, 0},
    {MENU_KIND_RIGHT, MENU_SOFT_KEY_ITEM, KILL_ALL_TASKS_COMMAND, kTextKillAllTasks, 1, 0},
    {MENU_KIND_RIGHT, MENU_SOFT_KEY_ITEM, MENU_SEPARATOR, 0, 1, 0},
    {MENU_KIND_RIGHT, MENU_SOFT_KEY_ITEM, ACTIVATE_TASK_COMMAND, kTextActivateTask, 1, 0},
};

// Their texts are set once the menu is built.
const MenuDesc kMonitorContextMenu[MONITOR_CONTEXT_MENU_COUNT] = {
    {MENU_KIND_CONTEXT, MENU_CONTEXT_ITEM, POWER_PANEL_COMMAND, 0, 1, 0},
    {MENU_KIND_CONTEXT, MENU_CONTEXT_ITEM, BACKLIGHT_PANEL_COMMAND, 0, 1, 0},
};

static const struct {
    int strength;
    const WCHAR* text;
} kHighlights[] = {
    {0, TEXT("No Hilite")},   {25, TEXT("Hilite 25%")},   {50, TEXT("Hilite 50%")},
    {75, TEXT("Hilite 75%")}, {100, TEXT("Hilite 100%")},
};

void FillThemeSubmenu(const MonitorWindow* window)
{
    SetMenuText(MENU_KIND_RIGHT, MENU_FIRST_SUBMENU, TEXT("Backgrounds"));
    HMENU submenu = MenuBars()->firstSubmenu;
    const StringTable* themes = window->ThemeList();
    if (submenu == NULL || themes == NULL)
        return;
    // Past the last theme command the highlight commands begin; themes
    // beyond it get no item.
    for (int row = 1; row <= themes->rowCount && THEME_COMMAND_BASE + row <= THEME_COMMAND_LAST; ++row)
        AppendMenuW(submenu, MF_STRING, (UINT_PTR)(THEME_COMMAND_BASE + row), themes->GetCell(row, 1));
    int current = THEME_COMMAND_BASE + themes->currentRow;
    if (current > THEME_COMMAND_BASE && current <= THEME_COMMAND_LAST)
        CheckMenuCommand(MENU_KIND_RIGHT, current, TRUE);
}

void FillHighlightSubmenu()
{
    SetMenuText(MENU_KIND_RIGHT, MENU_SECOND_SUBMENU, TEXT("Homescreen"));
    HMENU submenu = MenuBars()->secondSubmenu;
    if (submenu == NULL)
        return;
    for (const auto& highlight : kHighlights)
        AppendMenuW(submenu, MF_STRING, (UINT_PTR)(HIGHLIGHT_COMMAND_BASE + highlight.strength), highlight.text);
    // A stored value that is none of the five checks nothing: by command,
    // the check would reach a theme or another item.
    int strength = ReadRegInt(TEXT("HomePlugHilight"), TEXT("50"), SETTINGS_SUBKEY);
    for (const auto& highlight : kHighlights) {
        if (highlight.strength == strength)
            CheckMenuCommand(MENU_KIND_RIGHT, HIGHLIGHT_COMMAND_BASE + strength, TRUE);
    }
}

void BuildMonitorPageMenu(const MonitorWindow* window)
{
    BuildMenuBar(window->Window(), kMonitorPageMenu, MONITOR_PAGE_MENU_COUNT);
    FillThemeSubmenu(window);
    FillHighlightSubmenu();
}
