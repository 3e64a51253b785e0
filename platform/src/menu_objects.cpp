#include "menu_objects.h"

#include <map>
#include <memory>
#include <set>

#include "ce/menus.h"

namespace platform {
namespace {

// Handle values start far above the 16-bit command range, so that a popup
// item's identifier (its submenu's handle) never equals a command, and they
// are never reused, so that a stale handle stays invalid.
constexpr uintptr_t kFirstMenuHandle = 0x00E10000;
constexpr uintptr_t kMenuHandleStep = 4;

struct MenuTable {
    std::map<uintptr_t, std::unique_ptr<Menu>> menus;
    uintptr_t next = kFirstMenuHandle;
};

MenuTable& Table()
{
    static MenuTable table;
    return table;
}

// Each menu is searched once, however often the tree reaches it.
std::optional<ItemPlace> FindByCommand(HMENU handle, UINT id, int depth, std::set<uintptr_t>& searched)
{
    Menu* menu = FindMenu(handle);
    if (!menu || depth > kMaxMenuDepth || !searched.insert(reinterpret_cast<uintptr_t>(handle)).second)
        return std::nullopt;
    std::optional<ItemPlace> fallback;
    for (size_t i = 0; i < menu->items.size(); ++i) {
        const MenuItem& item = menu->items[i];
        if (item.IsPopup()) {
            if (std::optional<ItemPlace> inside = FindByCommand(item.submenu, id, depth + 1, searched))
                return inside;
            if (item.id == id && !fallback)
                fallback = ItemPlace{handle, i};
        } else if (item.id == id) {
            return ItemPlace{handle, i};
        }
    }
    return fallback;
}

void CollectTree(HMENU handle, std::set<uintptr_t>& tree)
{
    Menu* menu = FindMenu(handle);
    if (!menu || !tree.insert(reinterpret_cast<uintptr_t>(handle)).second)
        return;
    for (const MenuItem& item : menu->items)
        if (item.IsPopup())
            CollectTree(item.submenu, tree);
}

}  // namespace

bool MenuItem::IsSeparator() const { return (type & MFT_SEPARATOR) != 0; }

bool MenuItem::IsPopup() const { return (type & MF_POPUP) != 0 && submenu != nullptr; }

HMENU CreateMenuObject(bool popup)
{
    MenuTable& table = Table();
    uintptr_t value = table.next;
    table.next += kMenuHandleStep;
    auto menu = std::make_unique<Menu>();
    menu->popup = popup;
    table.menus[value] = std::move(menu);
    return reinterpret_cast<HMENU>(value);
}

Menu* FindMenu(HMENU handle)
{
    MenuTable& table = Table();
    auto it = table.menus.find(reinterpret_cast<uintptr_t>(handle));
    return it == table.menus.end() ? nullptr : it->second.get();
}

void DestroyMenuObject(HMENU handle)
{
    // The whole tree first, so that a menu reached twice (or holding itself)
    // goes once.
    std::set<uintptr_t> tree;
    CollectTree(handle, tree);
    for (uintptr_t value : tree)
        Table().menus.erase(value);
}

std::optional<ItemPlace> FindMenuItem(HMENU handle, UINT item, bool byPosition)
{
    if (!byPosition) {
        std::set<uintptr_t> searched;
        return FindByCommand(handle, item, 0, searched);
    }
    Menu* menu = FindMenu(handle);
    if (!menu || item >= menu->items.size())
        return std::nullopt;
    return ItemPlace{handle, item};
}

std::u16string MenuItemText(const char16_t* text)
{
    std::u16string cut;
    for (; text && *text && cut.size() < kMaxMenuItemText; ++text)
        cut += *text;
    return cut;
}

}  // namespace platform
