#include "ui/menu_bar.h"

#include <aygshell.h>
#include <commctrl.h>

#include "settings/text_table.h"

static MenuBarState s_menuBars;

static const UINT kTemplates[MENU_BAR_TEMPLATE_COUNT] = {
    MENU_BAR_PLAIN_AND_MENU, MENU_BAR_TWO_PLAIN, MENU_BAR_LEFT_ONLY, MENU_BAR_TWO_MENUS,
};

// The bar leaves the Back key to its window, which is told of it.
#define BACK_KEY_OVERRIDE MAKELPARAM(SHMBOF_NODEFAULT | SHMBOF_NOTIFY, SHMBOF_NODEFAULT | SHMBOF_NOTIFY)

MenuBarState* MenuBars()
{
    return &s_menuBars;
}

UINT ChooseMenuBarTemplate(int leftCount, int rightCount)
{
    if (leftCount > 1 && rightCount > 1)
        return MENU_BAR_TWO_MENUS;
    if (leftCount == 1) {
        if (rightCount == 1)
            return MENU_BAR_TWO_PLAIN;
        if (rightCount == 0)
            return MENU_BAR_LEFT_ONLY;
    }
    return MENU_BAR_PLAIN_AND_MENU;
}

static MenuBarRecord* RecordOf(UINT templateId)
{
    for (int i = 0; i < MENU_BAR_TEMPLATE_COUNT; ++i) {
        if (kTemplates[i] == templateId)
            return &s_menuBars.bars[i];
    }
    return NULL;
}

// The menu a button opens, kept in the button's data word; NULL for a
// plain button or a button the bar does not have.
static HMENU ButtonMenu(HWND bar, int command)
{
    TBBUTTONINFOW info;
    ZeroMemory(&info, sizeof(info));
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_LPARAM;
    if (SendMessageW(bar, TB_GETBUTTONINFOW, (WPARAM)command, (LPARAM)&info) < 0)
        return NULL;
    return (HMENU)info.lParam;
}

static void SetSoftKeyText(HWND bar, int command, const WCHAR* text)
{
    TBBUTTONINFOW info;
    ZeroMemory(&info, sizeof(info));
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_TEXT;
    info.pszText = (LPWSTR)text;
    SendMessageW(bar, TB_SETBUTTONINFOW, (WPARAM)command, (LPARAM)&info);
}

static void EnableSoftKey(HWND bar, int command)
{
    TBBUTTONINFOW info;
    ZeroMemory(&info, sizeof(info));
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_STATE;
    info.fsState = TBSTATE_ENABLED;
    SendMessageW(bar, TB_SETBUTTONINFOW, (WPARAM)command, (LPARAM)&info);
}

// The bar exists from the first build that needs it on.
static MenuBarRecord* CreatedBar(HWND window, UINT templateId)
{
    MenuBarRecord* record = RecordOf(templateId);
    if (record->bar)
        return record;
    SHMENUBARINFO info;
    ZeroMemory(&info, sizeof(info));
    info.cbSize = sizeof(info);
    info.hwndParent = window;
    info.nToolBarId = templateId;
    // The templates are the running program's resources.
    info.hInstRes = GetModuleHandleW(NULL);
    if (!SHCreateMenuBar(&info) || info.hwndMB == NULL)
        return NULL;
    SendMessageW(info.hwndMB, SHCMBM_OVERRIDEKEY, VK_TBACK, BACK_KEY_OVERRIDE);
    record->templateId = templateId;
    record->bar = info.hwndMB;
    record->leftMenu = ButtonMenu(info.hwndMB, LEFT_SOFT_KEY_COMMAND);
    record->rightMenu = ButtonMenu(info.hwndMB, RIGHT_SOFT_KEY_COMMAND);
    return record;
}

// Shows the bar of the template in place of the one shown; FALSE when it
// cannot be made.
static BOOL MakeBarCurrent(HWND window, UINT templateId)
{
    MenuBarRecord* record = CreatedBar(window, templateId);
    if (record == NULL)
        return FALSE;
    if (s_menuBars.currentBar != templateId) {
        ShowWindow(record->bar, SW_SHOW);
        if (s_menuBars.currentBar != 0)
            ShowWindow(s_menuBars.barWindow, SW_HIDE);
    }
    s_menuBars.currentBar = templateId;
    s_menuBars.barWindow = record->bar;
    s_menuBars.leftMenu = record->leftMenu;
    s_menuBars.rightMenu = record->rightMenu;
    return TRUE;
}

static void RemoveAllItems(HMENU menu)
{
    if (menu == NULL)
        return;
    while (GetMenuItemCount(menu) > 0) {
        if (!RemoveMenu(menu, 0, MF_BYPOSITION))
            return;
    }
}

static void DestroyEmptied(HMENU* menu)
{
    if (*menu == NULL)
        return;
    RemoveAllItems(*menu);
    DestroyMenu(*menu);
    *menu = NULL;
}

static void AppendRecord(HMENU menu, const MenuDesc* record, const WCHAR* text)
{
    if (menu == NULL)
        return;
    if (record->command == MENU_SEPARATOR)
        AppendMenuW(menu, MF_SEPARATOR, 0, NULL);
    else
        AppendMenuW(menu, MF_STRING, (UINT_PTR)record->command, text);
}

// The submenu, made on first use and hung into the right menu under text.
static void AppendSubmenu(HMENU* submenu, const WCHAR* text)
{
    if (*submenu == NULL)
        *submenu = CreatePopupMenu();
    if (*submenu)
        AppendMenuW(s_menuBars.rightMenu, MF_POPUP | MF_STRING, (UINT_PTR)*submenu, text);
}

static void AddRightRecord(const MenuDesc* record, const WCHAR* text)
{
    if (record->container == MENU_SOFT_KEY) {
        SetSoftKeyText(s_menuBars.barWindow, RIGHT_SOFT_KEY_COMMAND, text);
        return;
    }
    if (s_menuBars.rightMenu == NULL)
        return;
    switch (record->container) {
    case MENU_FIRST_SUBMENU: AppendSubmenu(&s_menuBars.firstSubmenu, text); break;
    case MENU_SECOND_SUBMENU: AppendSubmenu(&s_menuBars.secondSubmenu, text); break;
    case MENU_FIRST_SUBMENU_ITEM:
        AppendRecord(s_menuBars.firstSubmenu ? s_menuBars.firstSubmenu : s_menuBars.rightMenu, record, text);
        break;
    case MENU_SECOND_SUBMENU_ITEM:
        AppendRecord(s_menuBars.secondSubmenu ? s_menuBars.secondSubmenu : s_menuBars.rightMenu, record, text);
        break;
    default: AppendRecord(s_menuBars.rightMenu, record, text); break;
    }
}

static void AddRecord(const MenuDesc* record)
{
    const WCHAR* text = GetText(record->text);
    switch (record->kind) {
    case MENU_KIND_LEFT:
        if (record->container == MENU_SOFT_KEY)
            SetSoftKeyText(s_menuBars.barWindow, LEFT_SOFT_KEY_COMMAND, text);
        else
            AppendRecord(s_menuBars.leftMenu, record, text);
        break;
    case MENU_KIND_RIGHT: AddRightRecord(record, text); break;
    case MENU_KIND_CONTEXT:
        if (s_menuBars.contextMenu == NULL)
            s_menuBars.contextMenu = CreatePopupMenu();
        if (record->container == MENU_CONTEXT_ITEM)
            AppendRecord(s_menuBars.contextMenu, record, text);
        break;
    }
}

void BuildMenuBar(HWND window, const MenuDesc* table, int count)
{
    if (table == NULL || count <= 0)
        return;
    int left = 0, right = 0, context = 0;
    for (int i = 0; i < count; ++i) {
        if (table[i].kind == MENU_KIND_LEFT)
            ++left;
        else if (table[i].kind == MENU_KIND_RIGHT)
            ++right;
        else if (table[i].kind == MENU_KIND_CONTEXT)
            ++context;
    }
    if (context == 0) {
        if (left == 0 && right == 0) {
            // Forgotten as well, so that the next build shows a bar again.
            if (s_menuBars.currentBar != 0)
                ShowWindow(s_menuBars.barWindow, SW_HIDE);
            s_menuBars.currentBar = 0;
            return;
        }
        if (!MakeBarCurrent(window, ChooseMenuBarTemplate(left, right)))
            return;
    }

    DestroyEmptied(&s_menuBars.contextMenu);
    if (left != 0 || right != 0) {
        DestroyEmptied(&s_menuBars.firstSubmenu);
        DestroyEmptied(&s_menuBars.secondSubmenu);
        RemoveAllItems(s_menuBars.leftMenu);
        RemoveAllItems(s_menuBars.rightMenu);
    }
    for (int i = 0; i < count; ++i)
        AddRecord(&table[i]);

    if (context == 0) {
        EnableSoftKey(s_menuBars.barWindow, LEFT_SOFT_KEY_COMMAND);
        EnableSoftKey(s_menuBars.barWindow, RIGHT_SOFT_KEY_COMMAND);
        InvalidateRect(s_menuBars.barWindow, NULL, TRUE);
    }
}

static void SetItemText(HMENU menu, int commandId, const WCHAR* text)
{
    if (menu == NULL)
        return;
    MENUITEMINFOW info;
    ZeroMemory(&info, sizeof(info));
    info.cbSize = sizeof(info);
    info.fMask = MIIM_TYPE;
    info.fType = MFT_STRING;
    info.dwTypeData = (LPWSTR)text;
    info.cch = (UINT)wcslen(text);
    SetMenuItemInfoW(menu, (UINT)commandId, FALSE, &info);
}

void SetMenuText(int kind, int commandId, const WCHAR* text)
{
    switch (kind) {
    case MENU_KIND_LEFT:
        if (commandId == LEFT_SOFT_KEY_COMMAND)
            SetSoftKeyText(s_menuBars.barWindow, LEFT_SOFT_KEY_COMMAND, text);
        break;
    case MENU_KIND_RIGHT:
        if (commandId == RIGHT_SOFT_KEY_COMMAND)
            SetSoftKeyText(s_menuBars.barWindow, RIGHT_SOFT_KEY_COMMAND, text);
        else
            SetItemText(s_menuBars.rightMenu, commandId, text);
        break;
    case MENU_KIND_CONTEXT:
        if (commandId != RIGHT_SOFT_KEY_COMMAND)
            SetItemText(s_menuBars.contextMenu, commandId, text);
        break;
    }
}

void CheckMenuCommand(int kind, int commandId, BOOL checked)
{
    if (kind != MENU_KIND_RIGHT || commandId == RIGHT_SOFT_KEY_COMMAND || s_menuBars.rightMenu == NULL)
        return;
    CheckMenuItem(s_menuBars.rightMenu, (UINT)commandId, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}
