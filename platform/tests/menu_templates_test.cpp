// The two templates the soft-key bar reads: the menu resource (RT_MENU) and
// the bar's tool-bar template (RCDATA), good and malformed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commctrl.h"
#include "menu_bar_template.h"
#include "menu_resource.h"
#include "menu_test_resources.h"
#include "windows.h"

namespace {

constexpr DWORD kSentinel = 0xdeadbeef;

// Items as "Text" / "-" / "Text>" with "*" checked and "~" grayed, and the
// submenus' items in brackets after their popup item.
std::string Tree(HMENU menu)
{
    std::string out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        WCHAR text[64];
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_TYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_ID;
        info.dwTypeData = text;
        info.cch = 64;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        if (i > 0)
            out += '|';
        if (info.fType & MFT_SEPARATOR) {
            out += '-';
            continue;
        }
        out += (info.fState & MFS_CHECKED) ? "*" : "";
        out += (info.fState & MFS_GRAYED) ? "~" : "";
        for (UINT c = 0; c < info.cch; ++c)
            out += static_cast<char>(text[c]);
        if (info.hSubMenu)
            out += "[" + Tree(info.hSubMenu) + "]";
        else
            out += "=" + std::to_string(info.wID);
    }
    return out;
}

void Word(std::vector<BYTE>& bytes, WORD value)
{
    bytes.push_back(static_cast<BYTE>(value & 0xFF));
    bytes.push_back(static_cast<BYTE>(value >> 8));
}

void Text(std::vector<BYTE>& bytes, const char* text)
{
    for (; *text; ++text)
        Word(bytes, static_cast<BYTE>(*text));
    Word(bytes, 0);
}

// POPUP "P" { MENUITEM "A", 1 ; SEPARATOR ; MENUITEM "B", 2, CHECKED }, as the
// resource compiler writes it.
std::vector<BYTE> SmallMenuTemplate()
{
    std::vector<BYTE> bytes;
    Word(bytes, 0);
    Word(bytes, 0);
    Word(bytes, 0x0010 | 0x0080);
    Text(bytes, "P");
    Word(bytes, 0);
    Word(bytes, 1);
    Text(bytes, "A");
    Word(bytes, 0);
    Word(bytes, 0);
    Text(bytes, "");
    Word(bytes, 0x0080 | MF_CHECKED);
    Word(bytes, 2);
    Text(bytes, "B");
    return bytes;
}

TEST(MenuTemplate, LoadMenuReadsTheCompiledResource)
{
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_SOFT_KEYS));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Tree(menu), "Menu[Refresh=101|-|Backgrounds[*blue=201|steel=202]|~Quit=103]|Second[Only=7]");
    DestroyMenu(menu);

    SetLastError(kSentinel);
    EXPECT_EQ(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(999)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

TEST(MenuTemplate, EveryCutOrDamagedTemplateIsRefused)
{
    std::vector<BYTE> good = SmallMenuTemplate();
    HMENU menu = platform::MenuFromTemplate(good);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Tree(menu), "P[A=1|-|*B=2]");
    DestroyMenu(menu);

    for (size_t size = 0; size < good.size(); ++size) {
        SetLastError(kSentinel);
        EXPECT_EQ(platform::MenuFromTemplate(std::span<const BYTE>(good.data(), size)), nullptr) << size;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA)) << size;
    }
    struct Damage {
        const char* what;
        size_t offset;
        BYTE value;
    };
    const Damage damages[] = {
        {"an extended template's version", 0, 1},
        {"a header size", 2, 4},
        {"an owner-drawn item, which is not read", 5, 0x01},
        {"a level without an end", 24, 0x00},
    };
    for (const Damage& d : damages) {
        std::vector<BYTE> bad = good;
        bad[d.offset] = d.value;
        EXPECT_EQ(platform::MenuFromTemplate(bad), nullptr) << d.what;
    }
}

std::vector<BYTE> BarTemplate(std::vector<std::vector<WORD>> buttons, WORD count)
{
    std::vector<BYTE> bytes;
    Word(bytes, 101);
    Word(bytes, count);
    for (const std::vector<WORD>& button : buttons)
        for (WORD w : button)
            Word(bytes, w);
    return bytes;
}

TEST(MenuBarTemplate, ReadsTheButtonsAndRefusesMalformedTemplates)
{
    const std::vector<WORD> plain = {0xFFFE, 99, TBSTATE_ENABLED, TBSTYLE_AUTOSIZE, 102, 0, 0xFFFF};
    const std::vector<WORD> dropDown = {0xFFFE, 100, TBSTATE_ENABLED, TBSTYLE_DROPDOWN | TBSTYLE_AUTOSIZE, 103, 0, 0};
    std::optional<platform::MenuBarTemplate> bar = platform::ReadMenuBarTemplate(BarTemplate({plain, dropDown}, 2));
    ASSERT_TRUE(bar.has_value());
    EXPECT_EQ(bar->menuId, 101);
    ASSERT_EQ(bar->buttons.size(), 2u);
    EXPECT_EQ(bar->buttons[0].command, 99);
    EXPECT_EQ(bar->buttons[0].submenu, platform::kNoSubmenu);
    EXPECT_EQ(bar->buttons[0].stringId, 102);
    EXPECT_EQ(bar->buttons[1].style, TBSTYLE_DROPDOWN | TBSTYLE_AUTOSIZE);
    EXPECT_EQ(bar->buttons[1].submenu, 0);
    EXPECT_EQ(bar->buttons[1].image, 0xFFFE);
    EXPECT_TRUE(platform::ReadMenuBarTemplate(BarTemplate({plain}, 1)).has_value());

    std::vector<WORD> reserved = plain;
    reserved[5] = 1;
    std::vector<WORD> wideState = plain;
    wideState[2] = 0x104;
    std::vector<WORD> noMenu = dropDown;
    noMenu[6] = 0xFFFF;
    struct Case {
        const char* what;
        std::vector<BYTE> bytes;
    };
    const Case cases[] = {
        {"empty", {}},
        {"no count", {101, 0}},
        {"no buttons", BarTemplate({}, 0)},
        {"more than two soft keys", BarTemplate({plain, plain, plain}, 3)},
        {"fewer buttons than counted", BarTemplate({plain}, 2)},
        {"a reserved word that is not 0", BarTemplate({reserved}, 1)},
        {"a state beyond a byte", BarTemplate({wideState}, 1)},
        {"a drop-down key without a menu", BarTemplate({noMenu}, 1)},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(platform::ReadMenuBarTemplate(c.bytes).has_value()) << c.what;
    // One byte short of the second button.
    std::vector<BYTE> cut = BarTemplate({plain, dropDown}, 2);
    cut.pop_back();
    EXPECT_FALSE(platform::ReadMenuBarTemplate(cut).has_value());
}

}  // namespace
