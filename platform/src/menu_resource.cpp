// LoadMenuW and the template reader behind it.
#include "menu_resource.h"

#include <optional>
#include <string>

#include "ce/errors.h"
#include "ce/menus.h"
#include "ce/resources.h"
#include "menu_objects.h"

namespace platform {
namespace {

// The template's item flags; ENDMENU marks the last item of a level.
constexpr WORD kPopup = 0x0010;
constexpr WORD kEndMenu = 0x0080;
constexpr WORD kKnownFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | kPopup | MF_MENUBARBREAK | MF_MENUBREAK | kEndMenu;

class TemplateReader {
public:
    explicit TemplateReader(std::span<const BYTE> bytes) : bytes_(bytes) {}

    std::optional<WORD> Word()
    {
        if (bytes_.size() - offset_ < 2)
            return std::nullopt;
        WORD value = static_cast<WORD>(bytes_[offset_] | (bytes_[offset_ + 1] << 8));
        offset_ += 2;
        return value;
    }

    // A NUL-terminated 16-bit string.
    std::optional<std::u16string> Text()
    {
        std::u16string text;
        for (;;) {
            std::optional<WORD> c = Word();
            if (!c)
                return std::nullopt;
            if (*c == 0)
                return text;
            text += static_cast<char16_t>(*c);
        }
    }

private:
    std::span<const BYTE> bytes_;
    size_t offset_ = 0;
};

bool ReadLevel(TemplateReader& in, HMENU menu, int depth);

// One item into menu; ends tells whether it was the level's last.
bool ReadItem(TemplateReader& in, HMENU menu, int depth, bool& ends)
{
    std::optional<WORD> flags = in.Word();
    if (!flags || (*flags & ~kKnownFlags))
        return false;
    ends = (*flags & kEndMenu) != 0;
    UINT state = *flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
    if (*flags & kPopup) {
        std::optional<std::u16string> text = in.Text();
        if (!text)
            return false;
        HMENU submenu = CreatePopupMenu();
        if (!ReadLevel(in, submenu, depth + 1)) {
            DestroyMenu(submenu);
            return false;
        }
        return AppendMenuW(menu, MF_POPUP | state, reinterpret_cast<UINT_PTR>(submenu), text->c_str()) != 0;
    }
    std::optional<WORD> id = in.Word();
    std::optional<std::u16string> text = in.Text();
    if (!id || !text)
        return false;
    // MENUITEM SEPARATOR is written as an item with no flags, id or text.
    bool separator = (*flags & ~kEndMenu) == 0 && *id == 0 && text->empty();
    return AppendMenuW(menu, separator ? MF_SEPARATOR : (MF_STRING | state), *id, separator ? nullptr : text->c_str()) != 0;
}

bool ReadLevel(TemplateReader& in, HMENU menu, int depth)
{
    if (depth > kMaxMenuDepth)
        return false;
    for (bool ends = false; !ends;)
        if (!ReadItem(in, menu, depth, ends))
            return false;
    return true;
}

}  // namespace

HMENU MenuFromTemplate(std::span<const BYTE> bytes)
{
    TemplateReader in(bytes);
    std::optional<WORD> version = in.Word();
    std::optional<WORD> headerSize = in.Word();
    HMENU menu = CreateMenu();
    // Version 0 with no extra header is the standard template; an extended
    // (MENUEX) one is not read.
    if (!version || *version != 0 || !headerSize || *headerSize != 0 || !ReadLevel(in, menu, 0)) {
        DestroyMenu(menu);
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    return menu;
}

}  // namespace platform

HMENU LoadMenuW(HINSTANCE hInstance, LPCWSTR lpMenuName)
{
    HRSRC resource = FindResourceW(hInstance, lpMenuName, RT_MENU);
    if (!resource)
        return nullptr;
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(hInstance, resource)));
    DWORD size = SizeofResource(hInstance, resource);
    return platform::MenuFromTemplate(std::span<const BYTE>(data, data ? size : 0));
}
