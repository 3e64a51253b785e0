#include "menu_bar_template.h"

#include "commctrl.h"

namespace platform {
namespace {

constexpr size_t kHeaderWords = 2;
constexpr size_t kButtonWords = 7;

WORD WordAt(std::span<const BYTE> bytes, size_t index)
{
    return static_cast<WORD>(bytes[2 * index] | (bytes[2 * index + 1] << 8));
}

std::optional<MenuBarButtonTemplate> ReadButton(std::span<const BYTE> bytes, size_t first)
{
    WORD state = WordAt(bytes, first + 2);
    WORD style = WordAt(bytes, first + 3);
    if (state > 0xFF || style > 0xFF || WordAt(bytes, first + 5) != 0)
        return std::nullopt;
    MenuBarButtonTemplate button;
    button.image = WordAt(bytes, first);
    button.command = WordAt(bytes, first + 1);
    button.state = static_cast<BYTE>(state);
    button.style = static_cast<BYTE>(style);
    button.stringId = WordAt(bytes, first + 4);
    button.submenu = WordAt(bytes, first + 6);
    if ((button.style & TBSTYLE_DROPDOWN) && button.submenu == kNoSubmenu)
        return std::nullopt;
    return button;
}

}  // namespace

std::optional<MenuBarTemplate> ReadMenuBarTemplate(std::span<const BYTE> bytes)
{
    size_t words = bytes.size() / 2;
    if (words < kHeaderWords)
        return std::nullopt;
    MenuBarTemplate bar;
    bar.menuId = WordAt(bytes, 0);
    size_t count = WordAt(bytes, 1);
    if (count == 0 || count > kMaxSoftKeys || words < kHeaderWords + count * kButtonWords)
        return std::nullopt;
    for (size_t i = 0; i < count; ++i) {
        std::optional<MenuBarButtonTemplate> button = ReadButton(bytes, kHeaderWords + i * kButtonWords);
        if (!button)
            return std::nullopt;
        bar.buttons.push_back(*button);
    }
    return bar;
}

}  // namespace platform
