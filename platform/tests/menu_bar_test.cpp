// SHCreateMenuBar and the bar's window on an in-process device: the bar
// from the test program's templates, its buttons' messages, its soft keys,
// its owner's activation, and the failures of a bad template.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "aygshell.h"
#include "commctrl.h"
#include "device_fixture.h"
#include "menu_test_resources.h"
#include "windows.h"

namespace {

constexpr DWORD kSentinel = 0xdeadbeef;
constexpr UINT_PTR kStepTimer = 1;

struct Command {
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Command> g_commands;
std::function<void()> g_inMenu;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_COMMAND: g_commands.push_back({wParam, lParam}); return 0;
    case WM_TIMER:
        KillTimer(hwnd, kStepTimer);
        if (g_inMenu)
            g_inMenu();
        return 0;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

class MenuBarTest : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        WNDCLASSW wc = {};
        wc.lpfnWndProc = OwnerProc;
        wc.lpszClassName = u"BarOwner";
        RegisterClassW(&wc);
        owner_ = MakeWindow(u"Owner");
        SetForegroundWindow(owner_);
        g_commands.clear();
    }
    void TearDown() override
    {
        g_inMenu = nullptr;
        DeviceFixture::TearDown();
    }

    HWND MakeWindow(const char16_t* title)
    {
        return CreateWindowExW(0, u"BarOwner", title, WS_VISIBLE, 0, 26, 240, 268, nullptr, nullptr, nullptr,
                               nullptr);
    }

    BOOL Create(UINT templateId, SHMENUBARINFO& info, DWORD flags = 0)
    {
        info = {};
        info.cbSize = sizeof info;
        info.hwndParent = owner_;
        info.dwFlags = flags;
        info.nToolBarId = templateId;
        info.hInstRes = GetModuleHandleW(nullptr);
        return SHCreateMenuBar(&info);
    }

    // Handles what is queued: paints, posted commands.
    void Pump()
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }

    std::string OwnerField() const { return "owner=" + std::to_string(reinterpret_cast<uintptr_t>(owner_)); }

    HWND owner_ = nullptr;
};

TBBUTTONINFOW ButtonInfo(DWORD mask)
{
    TBBUTTONINFOW info = {};
    info.cbSize = sizeof info;
    info.dwMask = mask;
    return info;
}

TEST_F(MenuBarTest, TheBarSitsAtTheBottomWithTheTemplatesButtons)
{
    SHMENUBARINFO info;
    ASSERT_TRUE(Create(IDR_BAR_MENU_AND_PLAIN, info));
    HWND bar = info.hwndMB;
    WCHAR name[32];
    GetClassNameW(bar, name, 32);
    EXPECT_EQ(std::u16string(name), u"menu_worker");
    RECT r;
    GetWindowRect(bar, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 294);
    EXPECT_EQ(r.right, 240);
    EXPECT_EQ(r.bottom, 320);
    EXPECT_EQ(GetParent(bar), owner_);
    EXPECT_TRUE(IsWindowVisible(bar));
    EXPECT_EQ(GetActiveWindow(), owner_);

    WCHAR text[16];
    TBBUTTONINFOW left = ButtonInfo(TBIF_TEXT | TBIF_STATE | TBIF_STYLE | TBIF_LPARAM);
    left.pszText = text;
    left.cchText = 16;
    EXPECT_EQ(SendMessageW(bar, TB_GETBUTTONINFO, 99, reinterpret_cast<LPARAM>(&left)), 0);
    EXPECT_EQ(std::u16string(text), u"Tasks");
    EXPECT_EQ(left.fsState, TBSTATE_ENABLED);
    EXPECT_EQ(left.fsStyle, TBSTYLE_AUTOSIZE);
    EXPECT_EQ(left.lParam, 0u);
    // The drop-down key's data is its menu: the template's submenu 1.
    TBBUTTONINFOW right = ButtonInfo(TBIF_LPARAM | TBIF_BYINDEX);
    EXPECT_EQ(SendMessageW(bar, TB_GETBUTTONINFO, 1, reinterpret_cast<LPARAM>(&right)), 1);
    HMENU loaded = reinterpret_cast<HMENU>(SendMessageW(bar, SHCMBM_GETMENU, 0, 0));
    EXPECT_EQ(reinterpret_cast<HMENU>(right.lParam), GetSubMenu(loaded, 1));
    EXPECT_EQ(SendMessageW(bar, SHCMBM_GETSUBMENU, 0, 100), static_cast<LRESULT>(right.lParam));
    TBBUTTONINFOW none = ButtonInfo(TBIF_STATE);
    EXPECT_EQ(SendMessageW(bar, TB_GETBUTTONINFO, 5, reinterpret_cast<LPARAM>(&none)), -1);
    EXPECT_TRUE(SendMessageW(bar, SHCMBM_OVERRIDEKEY, VK_TBACK,
                             MAKELPARAM(SHMBOF_NODEFAULT | SHMBOF_NOTIFY, SHMBOF_NODEFAULT | SHMBOF_NOTIFY)));

    // A painted bar logs what it shows, again only when that changes.
    Pump();
    TBBUTTONINFOW set = ButtonInfo(TBIF_TEXT);
    set.pszText = const_cast<LPWSTR>(u"Menu for more options");
    EXPECT_TRUE(SendMessageW(bar, TB_SETBUTTONINFO, 100, reinterpret_cast<LPARAM>(&set)));
    Pump();
    InvalidateRect(bar, nullptr, FALSE);
    Pump();
    std::vector<std::string> logged = Events("menubar");
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_EQ(logged[0], "menubar " + OwnerField() + " template=301 left=\"Tasks\" right=\"Menu\"");
    EXPECT_EQ(logged[1], "menubar " + OwnerField() + " template=301 left=\"Tasks\" right=\"Menu for more options\"");

    // The bar goes with its owner, and the menu it read with it.
    DestroyWindow(owner_);
    EXPECT_FALSE(IsWindow(bar));
    EXPECT_EQ(GetMenuItemCount(loaded), -1);
}

TEST_F(MenuBarTest, MissingOrMalformedTemplatesFail)
{
    struct Case {
        const char* what;
        UINT templateId;
        DWORD error;
    };
    const Case cases[] = {
        {"no such template", 999, ERROR_RESOURCE_NAME_NOT_FOUND},
        {"fewer buttons than counted", IDR_BAR_SHORT, ERROR_INVALID_DATA},
        {"a menu resource that does not exist", IDR_BAR_MISSING_MENU, ERROR_RESOURCE_NAME_NOT_FOUND},
        {"a submenu the menu does not have", IDR_BAR_BAD_SUBMENU, ERROR_INVALID_DATA},
    };
    for (const Case& c : cases) {
        SHMENUBARINFO info;
        SetLastError(kSentinel);
        EXPECT_FALSE(Create(c.templateId, info)) << c.what;
        EXPECT_EQ(GetLastError(), c.error) << c.what;
        EXPECT_EQ(info.hwndMB, nullptr) << c.what;
    }
    SHMENUBARINFO info = {};
    SetLastError(kSentinel);
    EXPECT_FALSE(SHCreateMenuBar(&info));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    info.cbSize = sizeof info;
    info.nToolBarId = IDR_BAR_TWO_PLAIN;
    SetLastError(kSentinel);
    EXPECT_FALSE(SHCreateMenuBar(&info));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(FindWindowW(u"menu_worker", nullptr), nullptr);
}

TEST_F(MenuBarTest, PlainKeysSendTheirCommandWhenPressedOrTapped)
{
    SHMENUBARINFO info;
    ASSERT_TRUE(Create(IDR_BAR_TWO_PLAIN, info));
    HWND bar = info.hwndMB;
    auto stroke = [&](LPARAM down, LPARAM up) {
        PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, down);
        PostMessageW(bar, WM_LBUTTONUP, 0, up);
        Pump();
    };
    PostMessageW(bar, WM_KEYDOWN, VK_F1, 1);
    Pump();
    stroke(MAKELPARAM(30, 10), MAKELPARAM(40, 12));
    // Lifted over the other key, or on a disabled one: nothing.
    stroke(MAKELPARAM(30, 10), MAKELPARAM(200, 10));
    stroke(MAKELPARAM(200, 10), MAKELPARAM(200, 10));
    PostMessageW(bar, WM_KEYDOWN, VK_F2, 1);
    Pump();
    ASSERT_EQ(g_commands.size(), 2u);
    for (const Command& c : g_commands) {
        EXPECT_EQ(c.wParam, 99u);
        EXPECT_EQ(c.lParam, reinterpret_cast<LPARAM>(bar));
    }
    // Enabled, the right key sends its command too.
    TBBUTTONINFOW enable = ButtonInfo(TBIF_STATE);
    enable.fsState = TBSTATE_ENABLED;
    EXPECT_TRUE(SendMessageW(bar, TB_SETBUTTONINFO, 100, reinterpret_cast<LPARAM>(&enable)));
    PostMessageW(bar, WM_KEYDOWN, VK_F2, 1);
    Pump();
    ASSERT_EQ(g_commands.size(), 3u);
    EXPECT_EQ(g_commands[2].wParam, 100u);
}

TEST_F(MenuBarTest, ADropDownKeyOpensItsMenuUpwardFromTheKey)
{
    SHMENUBARINFO info;
    ASSERT_TRUE(Create(IDR_BAR_MENU_AND_PLAIN, info));
    RECT level{};
    g_inMenu = [&] {
        GetWindowRect(FindWindowW(u"#32768", nullptr), &level);
        PostMessageW(owner_, WM_KEYDOWN, VK_DOWN, 1);
        PostMessageW(owner_, WM_KEYDOWN, VK_RETURN, 1);
    };
    SetTimer(owner_, kStepTimer, 10, nullptr);
    PostMessageW(info.hwndMB, WM_KEYDOWN, VK_F2, 1);
    Pump();
    Pump();
    EXPECT_EQ(level.right, 240);
    EXPECT_EQ(level.bottom, 294);
    ASSERT_EQ(g_commands.size(), 1u);
    EXPECT_EQ(g_commands[0].wParam, 7u);
    EXPECT_EQ(Events("menu-shown").size(), 1u);
}

TEST_F(MenuBarTest, TheBarHidesWithItsOwnerAndComesBackWithIt)
{
    SHMENUBARINFO info;
    ASSERT_TRUE(Create(IDR_BAR_MENU_AND_PLAIN, info));
    HWND other = MakeWindow(u"Other");
    SetForegroundWindow(other);
    EXPECT_FALSE(IsWindowVisible(info.hwndMB));
    SetForegroundWindow(owner_);
    EXPECT_TRUE(IsWindowVisible(info.hwndMB));
    // A bar the program hid itself stays hidden.
    ShowWindow(info.hwndMB, SW_HIDE);
    SetForegroundWindow(other);
    SetForegroundWindow(owner_);
    EXPECT_FALSE(IsWindowVisible(info.hwndMB));
    // Shown, it never takes activation from its owner.
    ShowWindow(info.hwndMB, SW_SHOW);
    EXPECT_EQ(GetActiveWindow(), owner_);
    SetForegroundWindow(info.hwndMB);
    EXPECT_EQ(GetActiveWindow(), owner_);
}

TEST_F(MenuBarTest, AnEmptyBarAndABarFromAMenu)
{
    SHMENUBARINFO info;
    ASSERT_TRUE(Create(0, info, SHCMBF_EMPTYBAR));
    TBBUTTONINFOW button = ButtonInfo(TBIF_STATE | TBIF_BYINDEX);
    EXPECT_EQ(SendMessageW(info.hwndMB, TB_GETBUTTONINFO, 0, reinterpret_cast<LPARAM>(&button)), -1);
    DestroyWindow(info.hwndMB);

    // With SHCMBF_HMENU the menu's top-level popups are drop-down keys.
    ASSERT_TRUE(Create(IDM_SOFT_KEYS, info, SHCMBF_HMENU));
    WCHAR text[16];
    TBBUTTONINFOW second = ButtonInfo(TBIF_TEXT | TBIF_STYLE | TBIF_LPARAM | TBIF_BYINDEX);
    second.pszText = text;
    second.cchText = 16;
    EXPECT_EQ(SendMessageW(info.hwndMB, TB_GETBUTTONINFO, 1, reinterpret_cast<LPARAM>(&second)), 1);
    EXPECT_EQ(std::u16string(text), u"Second");
    EXPECT_TRUE(second.fsStyle & TBSTYLE_DROPDOWN);
    EXPECT_EQ(GetMenuItemCount(reinterpret_cast<HMENU>(second.lParam)), 1);
}

}  // namespace
