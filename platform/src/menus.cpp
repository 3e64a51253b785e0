// Menus and their items: creating, changing and querying them. The menus
// are this process's own objects; nothing here asks the device server.
#include <algorithm>

#include "ce/errors.h"
#include "ce/menus.h"
#include "menu_objects.h"

namespace platform {
namespace {

constexpr DWORD kNoItem = 0xFFFFFFFF;
constexpr UINT kStateBits = MF_CHECKED | MF_GRAYED | MF_DISABLED;

Menu* MenuOrError(HMENU handle)
{
    Menu* menu = FindMenu(handle);
    if (!menu)
        SetLastError(ERROR_INVALID_MENU_HANDLE);
    return menu;
}

// The item a call names, with the error Windows gives when there is none.
MenuItem* ItemOrError(HMENU handle, UINT item, bool byPosition)
{
    if (!MenuOrError(handle))
        return nullptr;
    std::optional<ItemPlace> place = FindMenuItem(handle, item, byPosition);
    if (!place) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return nullptr;
    }
    return &FindMenu(place->menu)->items[place->index];
}

// The item AppendMenu or InsertMenu describes. A string item without text
// is a separator, as on Windows.
std::optional<MenuItem> NewItem(UINT flags, UINT_PTR id, LPCWSTR text)
{
    if (flags & (MF_OWNERDRAW | MF_BITMAP)) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return std::nullopt;
    }
    MenuItem item;
    item.state = flags & kStateBits;
    if (flags & MF_POPUP) {
        HMENU submenu = reinterpret_cast<HMENU>(id);
        if (!MenuOrError(submenu))
            return std::nullopt;
        item.type = MF_POPUP;
        item.submenu = submenu;
    }
    item.id = static_cast<UINT>(id);
    if ((flags & MF_SEPARATOR) || (!(flags & MF_POPUP) && !text))
        item.type |= MFT_SEPARATOR;
    else
        item.text = MenuItemText(text);
    return item;
}

BOOL Insert(HMENU handle, size_t index, const MenuItem& item)
{
    Menu* menu = FindMenu(handle);
    menu->items.insert(menu->items.begin() + static_cast<std::ptrdiff_t>(std::min(index, menu->items.size())),
                       item);
    return TRUE;
}

// RemoveMenu and DeleteMenu; DeleteMenu also destroys a popup item's submenu.
BOOL Take(HMENU handle, UINT position, UINT flags, bool destroySubmenu)
{
    if (!MenuOrError(handle))
        return FALSE;
    std::optional<ItemPlace> place = FindMenuItem(handle, position, (flags & MF_BYPOSITION) != 0);
    if (!place) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return FALSE;
    }
    std::vector<MenuItem>& items = FindMenu(place->menu)->items;
    MenuItem taken = items[place->index];
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(place->index));
    if (destroySubmenu && taken.IsPopup())
        DestroyMenuObject(taken.submenu);
    return TRUE;
}

// The record as far as CE defines it; a larger (desktop) record is accepted.
bool RecordFits(const MENUITEMINFOW* info)
{
    if (info && info->cbSize >= sizeof(MENUITEMINFOW))
        return true;
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
}

void CopyText(const MenuItem& item, MENUITEMINFOW& info)
{
    UINT length = item.IsSeparator() ? 0 : static_cast<UINT>(item.text.size());
    if (!info.dwTypeData) {
        info.cch = length;
        return;
    }
    if (info.cch == 0)
        return;
    UINT copied = std::min(length, info.cch - 1);
    std::copy_n(item.text.begin(), copied, info.dwTypeData);
    info.dwTypeData[copied] = 0;
    info.cch = copied;
}

}  // namespace
}  // namespace platform

using namespace platform;

HMENU CreatePopupMenu(void) { return CreateMenuObject(true); }

HMENU CreateMenu(void) { return CreateMenuObject(false); }

BOOL DestroyMenu(HMENU hMenu)
{
    if (!MenuOrError(hMenu))
        return FALSE;
    DestroyMenuObject(hMenu);
    return TRUE;
}

BOOL AppendMenuW(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem)
{
    Menu* menu = MenuOrError(hMenu);
    if (!menu)
        return FALSE;
    std::optional<MenuItem> item = NewItem(uFlags, uIDNewItem, lpNewItem);
    return item ? Insert(hMenu, menu->items.size(), *item) : FALSE;
}

BOOL InsertMenuW(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem)
{
    if (!MenuOrError(hMenu))
        return FALSE;
    std::optional<MenuItem> item = NewItem(uFlags, uIDNewItem, lpNewItem);
    if (!item)
        return FALSE;
    // By position, one past the end (or -1) appends; by command the new item
    // goes before the named one, in whichever submenu holds it.
    if (uFlags & MF_BYPOSITION)
        return Insert(hMenu, uPosition, *item);
    std::optional<ItemPlace> place = FindMenuItem(hMenu, uPosition, false);
    if (!place) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return FALSE;
    }
    return Insert(place->menu, place->index, *item);
}

BOOL RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags) { return Take(hMenu, uPosition, uFlags, false); }

BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags) { return Take(hMenu, uPosition, uFlags, true); }

int GetMenuItemCount(HMENU hMenu)
{
    Menu* menu = MenuOrError(hMenu);
    return menu ? static_cast<int>(menu->items.size()) : -1;
}

HMENU GetSubMenu(HMENU hMenu, int nPos)
{
    Menu* menu = FindMenu(hMenu);
    if (!menu || nPos < 0 || static_cast<size_t>(nPos) >= menu->items.size())
        return nullptr;
    const MenuItem& item = menu->items[static_cast<size_t>(nPos)];
    return item.IsPopup() ? item.submenu : nullptr;
}

// A popup item has no command of its own to report.
UINT GetMenuItemID(HMENU hMenu, int nPos)
{
    Menu* menu = FindMenu(hMenu);
    if (!menu || nPos < 0 || static_cast<size_t>(nPos) >= menu->items.size())
        return kNoItem;
    const MenuItem& item = menu->items[static_cast<size_t>(nPos)];
    return item.IsPopup() ? kNoItem : item.id;
}

BOOL GetMenuItemInfoW(HMENU hMenu, UINT uItem, BOOL fByPosition, LPMENUITEMINFOW lpmii)
{
    if (!RecordFits(lpmii))
        return FALSE;
    MenuItem* item = ItemOrError(hMenu, uItem, fByPosition != 0);
    if (!item)
        return FALSE;
    if (lpmii->fMask & MIIM_TYPE) {
        lpmii->fType = item->type & ~static_cast<UINT>(MF_POPUP);
        CopyText(*item, *lpmii);
    }
    if (lpmii->fMask & MIIM_STATE)
        lpmii->fState = item->state;
    if (lpmii->fMask & MIIM_ID)
        lpmii->wID = item->id;
    if (lpmii->fMask & MIIM_SUBMENU)
        lpmii->hSubMenu = item->IsPopup() ? item->submenu : nullptr;
    if (lpmii->fMask & MIIM_DATA)
        lpmii->dwItemData = item->data;
    return TRUE;
}

BOOL SetMenuItemInfoW(HMENU hMenu, UINT uItem, BOOL fByPosition, LPCMENUITEMINFOW lpmii)
{
    if (!RecordFits(lpmii))
        return FALSE;
    MenuItem* item = ItemOrError(hMenu, uItem, fByPosition != 0);
    if (!item)
        return FALSE;
    if ((lpmii->fMask & MIIM_SUBMENU) && lpmii->hSubMenu && !MenuOrError(lpmii->hSubMenu))
        return FALSE;
    if ((lpmii->fMask & MIIM_TYPE) && (lpmii->fType & (MFT_OWNERDRAW | MFT_BITMAP))) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    if (lpmii->fMask & MIIM_TYPE) {
        UINT popup = item->type & MF_POPUP;
        item->type = (lpmii->fType & (MFT_SEPARATOR | MFT_RADIOCHECK)) | popup;
        item->text = item->IsSeparator() ? std::u16string() : MenuItemText(lpmii->dwTypeData);
    }
    if (lpmii->fMask & MIIM_STATE)
        item->state = lpmii->fState & kStateBits;
    if (lpmii->fMask & MIIM_ID)
        item->id = lpmii->wID;
    if (lpmii->fMask & MIIM_SUBMENU) {
        item->submenu = lpmii->hSubMenu;
        item->type = lpmii->hSubMenu ? (item->type | MF_POPUP) : (item->type & ~static_cast<UINT>(MF_POPUP));
    }
    if (lpmii->fMask & MIIM_DATA)
        item->data = lpmii->dwItemData;
    return TRUE;
}

DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck)
{
    MenuItem* item = ItemOrError(hMenu, uIDCheckItem, (uCheck & MF_BYPOSITION) != 0);
    if (!item)
        return kNoItem;
    DWORD previous = item->state & MF_CHECKED;
    item->state = (item->state & ~static_cast<UINT>(MF_CHECKED)) | (uCheck & MF_CHECKED);
    return previous;
}

BOOL EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable)
{
    MenuItem* item = ItemOrError(hMenu, uIDEnableItem, (uEnable & MF_BYPOSITION) != 0);
    if (!item)
        return static_cast<BOOL>(kNoItem);
    UINT previous = item->state & (MF_GRAYED | MF_DISABLED);
    item->state = (item->state & ~static_cast<UINT>(MF_GRAYED | MF_DISABLED)) | (uEnable & (MF_GRAYED | MF_DISABLED));
    return static_cast<BOOL>(previous);
}
