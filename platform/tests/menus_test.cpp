// The menu calls as Windows defines them where a program can tell: popup
// items answer to their submenu's handle, lookups by command search
// submenus, and failures set the documented errors.
#include <gtest/gtest.h>

#include <string>

#include "windows.h"

namespace {

constexpr DWORD kSentinel = 0xdeadbeef;
constexpr DWORD kNoItem = 0xFFFFFFFF;

// The menu as the event log spells it: "-" a separator, "*" checked, ">"
// a submenu, "~" grayed.
std::string Describe(HMENU menu)
{
    std::string out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        WCHAR text[300];
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_TYPE | MIIM_STATE | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = 300;
        EXPECT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info));
        if (i > 0)
            out += '|';
        if (info.fType & MFT_SEPARATOR) {
            out += '-';
            continue;
        }
        if (info.fState & MFS_CHECKED)
            out += '*';
        if (info.fState & MFS_GRAYED)
            out += '~';
        for (UINT c = 0; c < info.cch; ++c)
            out += static_cast<char>(text[c]);
        if (info.hSubMenu)
            out += '>';
    }
    return out;
}

UINT IdOf(HMENU submenu) { return static_cast<UINT>(reinterpret_cast<UINT_PTR>(submenu)); }

// The main page's menu: the right soft key's popup with two submenus.
struct SoftKeyMenu {
    SoftKeyMenu()
    {
        AppendMenuW(themes, MF_STRING, 201, u"blue");
        AppendMenuW(themes, MF_STRING, 202, u"steel");
        AppendMenuW(hilite, MF_STRING, 425, u"Hilite 25%");
        AppendMenuW(hilite, MF_STRING, 450, u"Hilite 50%");
        AppendMenuW(right, MF_STRING, 101, u"Refresh");
        AppendMenuW(right, MF_SEPARATOR, 1002, nullptr);
        AppendMenuW(right, MF_POPUP, reinterpret_cast<UINT_PTR>(themes), u"Backgrounds");
        AppendMenuW(right, MF_POPUP, reinterpret_cast<UINT_PTR>(hilite), u"TodayScreen");
        AppendMenuW(right, MF_SEPARATOR, 1002, nullptr);
        AppendMenuW(right, MF_STRING, 103, u"Quit");
    }
    ~SoftKeyMenu() { DestroyMenu(right); }
    HMENU right = CreatePopupMenu();
    HMENU themes = CreatePopupMenu();
    HMENU hilite = CreatePopupMenu();
};

BOOL SetText(HMENU menu, UINT item, BOOL byPosition, const char16_t* text)
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_TYPE;
    info.fType = MFT_STRING;
    info.dwTypeData = const_cast<LPWSTR>(text);
    return SetMenuItemInfoW(menu, item, byPosition, &info);
}

TEST(MenuCalls, ByCommandLookupsSearchSubmenusAndPopupItemsAnswerToTheirHandle)
{
    SoftKeyMenu m;
    EXPECT_EQ(Describe(m.right), "Refresh|-|Backgrounds>|TodayScreen>|-|Quit");

    // A check by command reaches into a submenu and reports the old state.
    EXPECT_EQ(CheckMenuItem(m.right, 202, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
    EXPECT_EQ(CheckMenuItem(m.right, 202, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_CHECKED));
    EXPECT_EQ(Describe(m.themes), "blue|*steel");
    EXPECT_EQ(CheckMenuItem(m.right, 5, MF_BYPOSITION | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
    EXPECT_EQ(Describe(m.right), "Refresh|-|Backgrounds>|TodayScreen>|-|*Quit");

    // A popup item's identifier is its submenu's handle, not a command of
    // the program's: asked for 1005, nothing answers.
    EXPECT_EQ(GetSubMenu(m.right, 3), m.hilite);
    EXPECT_EQ(GetMenuItemID(m.right, 3), kNoItem);
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID;
    ASSERT_TRUE(GetMenuItemInfoW(m.right, 3, TRUE, &info));
    EXPECT_EQ(info.wID, IdOf(m.hilite));
    SetLastError(kSentinel);
    EXPECT_FALSE(SetText(m.right, 1005, FALSE, u"Homescreen"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MENU_ITEM_NOT_FOUND));
    EXPECT_TRUE(SetText(m.right, IdOf(m.hilite), FALSE, u"Homescreen"));
    EXPECT_EQ(Describe(m.right), "Refresh|-|Backgrounds>|Homescreen>|-|*Quit");

    SetLastError(kSentinel);
    EXPECT_EQ(CheckMenuItem(m.right, 999, MF_BYCOMMAND | MF_CHECKED), kNoItem);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MENU_ITEM_NOT_FOUND));
    EXPECT_EQ(CheckMenuItem(m.right, 6, MF_BYPOSITION | MF_CHECKED), kNoItem);
}

// Which item a command finds when several have it, as Windows searches: in
// order, each popup's submenu before the popup item itself, a popup item
// only when nothing else matches.
TEST(MenuCalls, ByCommandTakesTheFirstMatchInItemOrder)
{
    struct Case {
        const char* name;
        bool submenuFirst;     // the popup item comes before the plain one
        bool plainHasId;       // the plain item carries the command
        bool submenuHasId;     // the submenu holds an item with the command
        const char* expected;  // which item gets checked: "plain", "inner" or "popup"
    };
    const Case cases[] = {
        {"inner before plain", true, true, true, "inner"},
        {"plain before inner", false, true, true, "plain"},
        {"plain after a popup without it", true, true, false, "plain"},
        {"only inside", false, false, true, "inner"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HMENU root = CreatePopupMenu();
        HMENU sub = CreatePopupMenu();
        AppendMenuW(sub, MF_STRING, c.submenuHasId ? 7 : 8, u"inner");
        auto addPlain = [&] { AppendMenuW(root, MF_STRING, c.plainHasId ? 7 : 9, u"plain"); };
        if (!c.submenuFirst)
            addPlain();
        AppendMenuW(root, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), u"popup");
        if (c.submenuFirst)
            addPlain();
        ASSERT_NE(CheckMenuItem(root, 7, MF_CHECKED), kNoItem);
        std::string all = Describe(root) + "/" + Describe(sub);
        EXPECT_NE(all.find(std::string("*") + c.expected), std::string::npos) << all;
        DestroyMenu(root);
    }

    // The popup item itself answers to its handle only when no other item
    // in the menu has that identifier.
    HMENU root = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenuW(root, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), u"popup");
    CheckMenuItem(root, IdOf(sub), MF_CHECKED);
    EXPECT_EQ(Describe(root), "*popup>");
    AppendMenuW(root, MF_STRING, IdOf(sub), u"same");
    CheckMenuItem(root, IdOf(sub), MF_CHECKED);
    EXPECT_EQ(Describe(root), "*popup>|*same");
    DestroyMenu(root);
}

TEST(MenuCalls, ItemsAreInsertedRemovedAndDeleted)
{
    SoftKeyMenu m;
    EXPECT_TRUE(InsertMenuW(m.right, 0, MF_BYPOSITION | MF_STRING, 1, u"First"));
    EXPECT_TRUE(InsertMenuW(m.right, static_cast<UINT>(-1), MF_BYPOSITION | MF_STRING, 2, u"Last"));
    // By command: before the named item, in the submenu that holds it.
    EXPECT_TRUE(InsertMenuW(m.right, 202, MF_BYCOMMAND | MF_STRING | MF_GRAYED, 203, u"gray"));
    EXPECT_EQ(Describe(m.themes), "blue|~gray|steel");
    EXPECT_EQ(Describe(m.right), "First|Refresh|-|Backgrounds>|TodayScreen>|-|Quit|Last");

    // A string item without text is a separator, as on Windows.
    EXPECT_TRUE(AppendMenuW(m.right, MF_STRING, 3, nullptr));
    EXPECT_EQ(GetMenuItemCount(m.right), 9);
    EXPECT_TRUE(DeleteMenu(m.right, 8, MF_BYPOSITION));

    // RemoveMenu keeps a popup item's submenu; DeleteMenu destroys it.
    EXPECT_TRUE(RemoveMenu(m.right, 3, MF_BYPOSITION));
    EXPECT_EQ(GetMenuItemCount(m.themes), 3);
    EXPECT_TRUE(DeleteMenu(m.right, 3, MF_BYPOSITION));
    SetLastError(kSentinel);
    EXPECT_EQ(GetMenuItemCount(m.hilite), -1);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
    EXPECT_TRUE(RemoveMenu(m.right, 103, MF_BYCOMMAND));
    EXPECT_EQ(Describe(m.right), "First|Refresh|-|-|Last");
    DestroyMenu(m.themes);

    // Emptying a menu from the front, as the program does before a refill.
    while (GetMenuItemCount(m.right) > 0)
        ASSERT_TRUE(RemoveMenu(m.right, 0, MF_BYPOSITION));
    SetLastError(kSentinel);
    EXPECT_FALSE(RemoveMenu(m.right, 0, MF_BYPOSITION));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MENU_ITEM_NOT_FOUND));
}

TEST(MenuCalls, BadHandlesAndFlagsFailWithTheDocumentedErrors)
{
    HMENU gone = CreatePopupMenu();
    HMENU child = CreatePopupMenu();
    AppendMenuW(gone, MF_POPUP, reinterpret_cast<UINT_PTR>(child), u"child");
    EXPECT_TRUE(DestroyMenu(gone));
    HMENU live = CreatePopupMenu();
    const HMENU bogus = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(1005));
    SetLastError(kSentinel);
    EXPECT_FALSE(DestroyMenu(gone));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
    // Destroying a menu destroys its submenus too.
    EXPECT_EQ(GetMenuItemCount(child), -1);
    for (HMENU bad : {gone, bogus, static_cast<HMENU>(nullptr)}) {
        SetLastError(kSentinel);
        EXPECT_FALSE(AppendMenuW(bad, MF_STRING, 1, u"x"));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
        SetLastError(kSentinel);
        EXPECT_FALSE(AppendMenuW(live, MF_POPUP, reinterpret_cast<UINT_PTR>(bad), u"x"));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
        EXPECT_EQ(GetSubMenu(bad, 0), nullptr);
        EXPECT_EQ(CheckMenuItem(bad, 1, MF_CHECKED), kNoItem);
    }
    SetLastError(kSentinel);
    EXPECT_FALSE(AppendMenuW(live, MF_BITMAP, 1, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(GetMenuItemCount(live), 0);

    MENUITEMINFOW small = {};
    small.cbSize = sizeof small - 4;
    small.fMask = MIIM_ID;
    AppendMenuW(live, MF_STRING, 1, u"x");
    SetLastError(kSentinel);
    EXPECT_FALSE(GetMenuItemInfoW(live, 0, TRUE, &small));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    // A menu that holds itself neither loops a lookup nor its destruction.
    AppendMenuW(live, MF_POPUP, reinterpret_cast<UINT_PTR>(live), u"self");
    EXPECT_EQ(CheckMenuItem(live, 999, MF_CHECKED), kNoItem);
    EXPECT_TRUE(DestroyMenu(live));
}

TEST(MenuCalls, ItemInfoCopiesTextsAndChangesWhatTheMaskNames)
{
    HMENU menu = CreatePopupMenu();
    std::u16string longText(300, u'x');
    AppendMenuW(menu, MF_STRING, 10, longText.c_str());
    AppendMenuW(menu, MF_STRING | MF_CHECKED, 11, u"Refresh");

    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_TYPE;
    // Without a buffer the length; an over-long text was cut when it was set.
    ASSERT_TRUE(GetMenuItemInfoW(menu, 10, FALSE, &info));
    EXPECT_EQ(info.cch, 255u);
    WCHAR buffer[4] = {u'?', u'?', u'?', u'?'};
    info.dwTypeData = buffer;
    info.cch = 4;
    ASSERT_TRUE(GetMenuItemInfoW(menu, 11, FALSE, &info));
    EXPECT_EQ(std::u16string(buffer), u"Ref");
    EXPECT_EQ(info.cch, 3u);

    // Type to a separator, state, id, data and submenu, each by its mask bit.
    HMENU sub = CreatePopupMenu();
    MENUITEMINFOW change = {};
    change.cbSize = sizeof change;
    change.fMask = MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
    change.fState = MFS_GRAYED;
    change.wID = 12;
    change.dwItemData = 77;
    change.hSubMenu = sub;
    ASSERT_TRUE(SetMenuItemInfoW(menu, 11, FALSE, &change));
    EXPECT_EQ(Describe(menu), std::string(255, 'x') + "|~Refresh>");
    MENUITEMINFOW read = {};
    read.cbSize = sizeof read;
    read.fMask = MIIM_ID | MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfoW(menu, 1, TRUE, &read));
    EXPECT_EQ(read.wID, 12u);
    EXPECT_EQ(read.dwItemData, 77u);
    change.fMask = MIIM_TYPE;
    change.fType = MFT_SEPARATOR;
    ASSERT_TRUE(SetMenuItemInfoW(menu, 0, TRUE, &change));
    EXPECT_EQ(Describe(menu), "-|~Refresh>");

    // EnableMenuItem reports the state before.
    EXPECT_EQ(EnableMenuItem(menu, 1, MF_BYPOSITION | MF_ENABLED), MF_GRAYED | MF_DISABLED);
    EXPECT_EQ(EnableMenuItem(menu, 1, MF_BYPOSITION | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(EnableMenuItem(menu, 9, MF_BYPOSITION | MF_GRAYED), static_cast<BOOL>(kNoItem));
    DestroyMenu(menu);
}

}  // namespace
