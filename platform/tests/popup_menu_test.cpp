// TrackPopupMenuEx on an in-process device, driven from inside its own loop:
// a helper window's timer, due once the loop waits, posts the input of each
// step, as a user's keys and stylus would come.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "device_fixture.h"
#include "popup_layout.h"
#include "windows.h"

namespace {

constexpr DWORD kSentinel = 0xdeadbeef;
constexpr UINT_PTR kStepTimer = 1;
constexpr char16_t kPopupClass[] = u"#32768";

std::vector<std::function<void()>> g_steps;
size_t g_next = 0;
std::vector<WPARAM> g_commands;
HMENU g_initialised = nullptr;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_TIMER:
        if (wParam == kStepTimer && g_next < g_steps.size()) {
            g_steps[g_next++]();
            if (g_next == g_steps.size())
                KillTimer(hwnd, kStepTimer);
        }
        return 0;
    case WM_COMMAND: g_commands.push_back(wParam); return 0;
    case WM_INITMENUPOPUP: g_initialised = reinterpret_cast<HMENU>(wParam); return 0;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

// Refresh | - | Backgrounds > (blue, *steel) | - | Quit
struct TestMenu {
    TestMenu()
    {
        AppendMenuW(sub, MF_STRING, 201, u"blue");
        AppendMenuW(sub, MF_STRING | MF_CHECKED, 202, u"steel");
        AppendMenuW(root, MF_STRING, 101, u"Refresh");
        AppendMenuW(root, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(root, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), u"Backgrounds");
        AppendMenuW(root, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(root, MF_STRING, 103, u"Quit");
    }
    ~TestMenu() { DestroyMenu(root); }
    HMENU root = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
};

class PopupMenuTest : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        WNDCLASSW wc = {};
        wc.lpfnWndProc = OwnerProc;
        wc.lpszClassName = u"MenuOwner";
        RegisterClassW(&wc);
        owner_ = CreateWindowExW(0, u"MenuOwner", u"Owner", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner_, nullptr);
        SetForegroundWindow(owner_);
        g_commands.clear();
        g_initialised = nullptr;
    }
    void TearDown() override
    {
        g_steps.clear();
        DeviceFixture::TearDown();
    }

    // Tracks the menu while the steps run, one per timer tick.
    BOOL Track(HMENU menu, UINT flags, POINT at, std::vector<std::function<void()>> steps)
    {
        g_steps = std::move(steps);
        g_next = 0;
        SetTimer(owner_, kStepTimer, 10, nullptr);
        BOOL result = TrackPopupMenuEx(menu, flags, at.x, at.y, owner_, nullptr);
        EXPECT_EQ(g_next, g_steps.size()) << "the menu ended before all its steps ran";
        KillTimer(owner_, kStepTimer);
        return result;
    }

    std::function<void()> Key(WPARAM key)
    {
        return [this, key] { PostMessageW(owner_, WM_KEYDOWN, key, 1); };
    }

    HWND owner_ = nullptr;
};

// The newest popup window: the deepest open level.
HWND DeepestLevel() { return FindWindowW(kPopupClass, nullptr); }

// The centre of an item of the level, in its client coordinates, for the
// 96-dpi sizes of a level that does not scroll.
LPARAM ItemPoint(const std::vector<bool>& separators, size_t index)
{
    platform::PopupMetrics metrics(96);
    LONG top = metrics.border;
    for (size_t i = 0; i < index; ++i)
        top += separators[i] ? metrics.separatorHeight : metrics.itemHeight;
    LONG height = separators[index] ? metrics.separatorHeight : metrics.itemHeight;
    return MAKELPARAM(20, top + height / 2);
}

const std::vector<bool> kRootSeparators = {false, true, false, true, false};

void Stylus(HWND level, UINT message, LPARAM point)
{
    PostMessageW(level, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, point);
}

TEST_F(PopupMenuTest, KeysMoveOpenCloseAndChoose)
{
    struct Case {
        std::vector<WPARAM> keys;
        UINT chosen;
    };
    const Case cases[] = {
        {{VK_DOWN, VK_RETURN}, 101},
        {{VK_UP, VK_RETURN}, 103},                                  // up from nothing wraps to the last
        {{VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, 101},     // wraps, passing over separators
        {{VK_DOWN, VK_DOWN, VK_RETURN, VK_RETURN}, 201},            // RETURN opens, its first item selected
        {{VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}, 202},
        {{VK_DOWN, VK_DOWN, VK_RIGHT, VK_LEFT, VK_DOWN, VK_RETURN}, 103},
        {{VK_DOWN, VK_DOWN, VK_RIGHT, VK_ESCAPE, VK_UP, VK_RETURN}, 101},  // ESCAPE closes one level
        {{VK_RIGHT, VK_LEFT, VK_ESCAPE}, 0},
        {{VK_DOWN, VK_F2}, 0},                                      // a soft key closes the menu
    };
    for (const Case& c : cases) {
        TestMenu menu;
        std::vector<std::function<void()>> steps;
        for (WPARAM key : c.keys)
            steps.push_back(Key(key));
        EXPECT_EQ(Track(menu.root, TPM_RETURNCMD, POINT{20, 40}, steps), static_cast<BOOL>(c.chosen))
            << "keys " << c.keys.size() << " ending " << c.keys.back();
        EXPECT_EQ(DeepestLevel(), nullptr);
    }
    // Each level logged as it opened; the end as it came.
    std::vector<std::string> shown = Events("menu-shown");
    ASSERT_FALSE(shown.empty());
    std::string owner = "owner=" + std::to_string(reinterpret_cast<uintptr_t>(owner_));
    EXPECT_EQ(shown[0], "menu-shown " + owner + " items=\"Refresh|-|Backgrounds>|-|Quit\"");
    EXPECT_EQ(Events("menu-shown " + owner + " items=\"blue|*steel\"").size(), 4u);
    std::vector<std::string> chosen = Events("menu-chosen");
    EXPECT_EQ(chosen.front(), "menu-chosen id=101");
    EXPECT_EQ(Events("menu-cancel").size(), 2u);
    EXPECT_TRUE(g_commands.empty());
}

TEST_F(PopupMenuTest, WithoutReturnCmdTheCommandIsPostedToTheOwner)
{
    TestMenu menu;
    EXPECT_EQ(Track(menu.root, 0, POINT{20, 40}, {Key(VK_UP), Key(VK_RETURN)}), TRUE);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    EXPECT_EQ(g_commands, std::vector<WPARAM>{103});
    // The owner heard of the popup before it showed.
    EXPECT_EQ(g_initialised, menu.root);

    // Cancelled, the call still succeeds and nothing is posted.
    g_commands.clear();
    EXPECT_EQ(Track(menu.root, 0, POINT{20, 40}, {Key(VK_ESCAPE)}), TRUE);
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    EXPECT_TRUE(g_commands.empty());
}

TEST_F(PopupMenuTest, TheStylusChoosesOpensAndCancels)
{
    // A tap on an item chooses it.
    {
        TestMenu menu;
        LPARAM quit = ItemPoint(kRootSeparators, 4);
        EXPECT_EQ(Track(menu.root, TPM_RETURNCMD, POINT{20, 40},
                        {[&] {
                            Stylus(DeepestLevel(), WM_LBUTTONDOWN, quit);
                            Stylus(DeepestLevel(), WM_LBUTTONUP, quit);
                        }}),
                  103);
    }
    // A tap on a popup item opens its submenu; a tap there chooses.
    {
        TestMenu menu;
        LPARAM backgrounds = ItemPoint(kRootSeparators, 2);
        LPARAM steel = ItemPoint({false, false}, 1);
        HWND root = nullptr;
        EXPECT_EQ(Track(menu.root, TPM_RETURNCMD, POINT{20, 40},
                        {[&] {
                             root = DeepestLevel();
                             Stylus(root, WM_LBUTTONDOWN, backgrounds);
                             Stylus(root, WM_LBUTTONUP, backgrounds);
                         },
                         [&] {
                             HWND sub = DeepestLevel();
                             EXPECT_NE(sub, root);
                             Stylus(sub, WM_LBUTTONDOWN, steel);
                             Stylus(sub, WM_LBUTTONUP, steel);
                         }}),
                  202);
    }
    // A tap outside hides the menu at once and ends it when the stylus lifts.
    {
        TestMenu menu;
        HWND root = nullptr;
        EXPECT_EQ(Track(menu.root, TPM_RETURNCMD, POINT{20, 40},
                        {[&] {
                             root = DeepestLevel();
                             Stylus(root, WM_LBUTTONDOWN, MAKELPARAM(200, 200));
                         },
                         [&] {
                             EXPECT_FALSE(IsWindowVisible(root));
                             Stylus(root, WM_LBUTTONUP, MAKELPARAM(200, 200));
                         }}),
                  0);
    }
    EXPECT_EQ(Events("menu-cancel").size(), 1u);
}

// The stylus that opened the menu (a tap-and-hold, a soft key) lifting where
// it was chooses nothing; dragged onto an item first, it chooses that item.
TEST_F(PopupMenuTest, TheOpeningStrokeChoosesOnlyAfterADrag)
{
    TestMenu menu;
    // Opened at the stylus: its release falls on the first item.
    EXPECT_EQ(Track(menu.root, TPM_RETURNCMD, POINT{20, 40},
                    {[] { Stylus(DeepestLevel(), WM_LBUTTONUP, MAKELPARAM(2, 2)); },
                     [this] { PostMessageW(owner_, WM_KEYDOWN, VK_ESCAPE, 1); }}),
              0);
    LPARAM quit = ItemPoint(kRootSeparators, 4);
    EXPECT_EQ(Track(menu.root, TPM_RETURNCMD, POINT{20, 40},
                    {[&] {
                        Stylus(DeepestLevel(), WM_MOUSEMOVE, quit);
                        Stylus(DeepestLevel(), WM_LBUTTONUP, quit);
                    }}),
              103);
}

TEST_F(PopupMenuTest, ATallMenuScrollsAndLongTextsStayOnTheScreen)
{
    HMENU menu = CreatePopupMenu();
    for (UINT id = 1; id <= 30; ++id)
        AppendMenuW(menu, MF_STRING, id, std::u16string(id == 30 ? 300 : 4, u'a').c_str());
    RECT level{};
    EXPECT_EQ(Track(menu, TPM_RETURNCMD, POINT{100, 100},
                    {[&] {
                         GetWindowRect(DeepestLevel(), &level);
                         // Two steps of the bottom band, then a tap on the top row.
                         LPARAM band = MAKELPARAM(20, level.bottom - level.top - 3);
                         for (int i = 0; i < 2; ++i) {
                             Stylus(DeepestLevel(), WM_LBUTTONDOWN, band);
                             Stylus(DeepestLevel(), WM_LBUTTONUP, band);
                         }
                     },
                     [&] {
                         platform::PopupMetrics metrics(96);
                         LPARAM top = MAKELPARAM(20, metrics.border + metrics.scrollBand + 2);
                         Stylus(DeepestLevel(), WM_LBUTTONDOWN, top);
                         Stylus(DeepestLevel(), WM_LBUTTONUP, top);
                     }}),
              3);
    EXPECT_EQ(level.left, 0);
    EXPECT_EQ(level.top, 0);
    EXPECT_EQ(level.right, 240);
    EXPECT_EQ(level.bottom, 320);
    // The keys reach the last item, scrolled into view.
    EXPECT_EQ(Track(menu, TPM_RETURNCMD, POINT{100, 100}, {Key(VK_UP), Key(VK_RETURN)}), 30);
    DestroyMenu(menu);
}

TEST_F(PopupMenuTest, BadArgumentsAndEmptyMenusShowNothing)
{
    TestMenu menu;
    HMENU empty = CreatePopupMenu();
    SetLastError(kSentinel);
    EXPECT_FALSE(TrackPopupMenuEx(empty, TPM_RETURNCMD, 0, 0, owner_, nullptr));
    SetLastError(kSentinel);
    EXPECT_FALSE(TrackPopupMenuEx(reinterpret_cast<HMENU>(static_cast<UINT_PTR>(0x1234)), 0, 0, 0, owner_, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
    SetLastError(kSentinel);
    EXPECT_FALSE(TrackPopupMenu(menu.root, 0, 0, 0, 0, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_TRUE(Events("menu-shown").empty());
    EXPECT_TRUE(Events("menu-cancel").empty());
    DestroyMenu(empty);
}

}  // namespace
