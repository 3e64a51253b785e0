// SHCreateMenuBar: the bar's buttons from the program's tool-bar template
// (or the menu itself with SHCMBF_HMENU), their menus from the menu
// resource the template names.
#include <optional>
#include <span>

#include "aygshell.h"
#include "ce/errors.h"
#include "commctrl.h"
#include "local_windows.h"
#include "menu_bar.h"
#include "menu_bar_template.h"

namespace platform {
namespace {

// The device's record; a caller that sizes it for the 32-bit device is
// accepted on this host too, as its fields are read by name.
constexpr DWORD kDeviceMenuBarInfoSize = 36;

std::optional<std::span<const BYTE>> TemplateBytes(HINSTANCE module, UINT id)
{
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), RT_RCDATA);
    if (!resource)
        return std::nullopt;
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
    return std::span<const BYTE>(data, data ? SizeofResource(module, resource) : 0);
}

std::u16string StringResource(HINSTANCE module, WORD id)
{
    WCHAR text[256];
    int length = id ? LoadStringW(module, id, text, 256) : 0;
    return std::u16string(text, static_cast<size_t>(length > 0 ? length : 0));
}

// The keys a template describes; the menu resource is read once a key needs
// a submenu of it.
bool KeysFromTemplate(const MenuBarTemplate& layout, HINSTANCE module, MenuBar& bar)
{
    for (const MenuBarButtonTemplate& button : layout.buttons) {
        SoftKey key;
        key.command = button.command;
        key.image = static_cast<SHORT>(button.image);
        key.state = button.state;
        key.style = button.style;
        key.text = StringResource(module, button.stringId);
        if (button.submenu != kNoSubmenu) {
            if (!bar.loaded && !(bar.loaded = LoadMenuW(module, MAKEINTRESOURCEW(layout.menuId))))
                return false;
            HMENU submenu = GetSubMenu(bar.loaded, button.submenu);
            if (!submenu) {
                SetLastError(ERROR_INVALID_DATA);
                return false;
            }
            key.lParam = reinterpret_cast<DWORD_PTR>(submenu);
        }
        bar.keys.push_back(key);
    }
    return true;
}

// SHCMBF_HMENU: the menu's top-level items are the keys, a popup item a
// drop-down key opening its submenu.
bool KeysFromMenu(HINSTANCE module, UINT menuId, MenuBar& bar)
{
    if (!(bar.loaded = LoadMenuW(module, MAKEINTRESOURCEW(menuId))))
        return false;
    int count = GetMenuItemCount(bar.loaded);
    if (count <= 0 || static_cast<size_t>(count) > kMaxSoftKeys) {
        SetLastError(ERROR_INVALID_DATA);
        return false;
    }
    for (int i = 0; i < count; ++i) {
        WCHAR text[256];
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_TYPE | MIIM_ID | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = 256;
        GetMenuItemInfoW(bar.loaded, static_cast<UINT>(i), TRUE, &info);
        SoftKey key;
        key.command = static_cast<int>(info.wID);
        key.image = I_IMAGENONE;
        key.state = TBSTATE_ENABLED;
        key.style = static_cast<BYTE>(TBSTYLE_AUTOSIZE | (info.hSubMenu ? TBSTYLE_DROPDOWN : 0));
        key.lParam = reinterpret_cast<DWORD_PTR>(info.hSubMenu);
        key.text = std::u16string(text, info.cch);
        bar.keys.push_back(key);
    }
    return true;
}

bool FillKeys(const SHMENUBARINFO& info, MenuBar& bar)
{
    if (info.dwFlags & SHCMBF_EMPTYBAR)
        return true;
    if (info.dwFlags & SHCMBF_HMENU)
        return KeysFromMenu(info.hInstRes, info.nToolBarId, bar);
    std::optional<std::span<const BYTE>> bytes = TemplateBytes(info.hInstRes, info.nToolBarId);
    if (!bytes)
        return false;
    std::optional<MenuBarTemplate> layout = ReadMenuBarTemplate(*bytes);
    if (!layout) {
        SetLastError(ERROR_INVALID_DATA);
        return false;
    }
    return KeysFromTemplate(*layout, info.hInstRes, bar);
}

}  // namespace
}  // namespace platform

using namespace platform;

BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO* pmbi)
{
    if (!pmbi || pmbi->cbSize < kDeviceMenuBarInfoSize) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!FindLocalWindow(pmbi->hwndParent)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    MenuBar bar;
    bar.owner = pmbi->hwndParent;
    bar.templateId = (pmbi->dwFlags & SHCMBF_EMPTYBAR) ? 0 : pmbi->nToolBarId;
    if (!FillKeys(*pmbi, bar)) {
        if (bar.loaded)
            DestroyMenu(bar.loaded);
        return FALSE;
    }
    HWND hwnd = nullptr;
    if (!CreateMenuBarWindow(bar, (pmbi->dwFlags & SHCMBF_HIDDEN) != 0, hwnd))
        return FALSE;
    pmbi->hwndMB = hwnd;
    return TRUE;
}
