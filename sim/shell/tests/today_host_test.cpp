// The Today screen's host with the shell running as a real process of the
// test's device and the test item loaded into it: which items it loads and
// where it lays them, its polling, the selection and the messages items
// get, the rebuild on a registry change and the answers to items' requests.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <todaycmn.h>
#include <windows.h>

#include "device_fixture.h"
#include "test_today_item.h"

namespace {

using Seen = std::vector<std::pair<UINT, WPARAM>>;

const WCHAR kItemsKey[] = TEXT("Software\\Microsoft\\Today\\Items");
const WCHAR kTestItem[] = TEXT("\\Windows\\todaytest.dll");
// The date line: the task bar's 26 rows, then its 22.
const int kFirstItemTop = 48;
const DWORD kPollMs = 2000;

struct ItemEntry {
    std::u16string name;
    DWORD order = 0;
    DWORD flags = 20;  // height 20
    DWORD selectability = 2;
    std::u16string dll = kTestItem;
    DWORD enabled = 1;
    DWORD type = 4;
};

class TodayHostTest : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        RunProgramsFromImage({"Windows/shell.exe", "Windows/Imgdecmp.dll"});
        std::error_code ec;
        std::filesystem::create_symlink(TODAY_TEST_ITEM, HostPath("Windows/todaytest.dll"), ec);
        ASSERT_FALSE(ec) << ec.message();
    }

    static void AddItem(const ItemEntry& item)
    {
        HKEY key = nullptr;
        std::u16string path = std::u16string(kItemsKey) + u"\\" + item.name;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, 0, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, TEXT("DLL"), 0, REG_SZ, reinterpret_cast<const BYTE*>(item.dll.c_str()),
                       static_cast<DWORD>((item.dll.size() + 1) * sizeof(WCHAR)));
        const std::pair<LPCWSTR, DWORD> values[] = {{TEXT("Order"), item.order}, {TEXT("Flags"), item.flags},
                                                    {TEXT("Selectability"), item.selectability},
                                                    {TEXT("Enabled"), item.enabled}, {TEXT("Type"), item.type}};
        for (const auto& [name, value] : values)
            RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
        RegCloseKey(key);
    }
    static void RemoveItem(const std::u16string& name)
    {
        std::u16string path = std::u16string(kItemsKey) + u"\\" + name;
        ASSERT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, path.c_str()), ERROR_SUCCESS);
    }

    // Boots the shell and lets it run until its desktop is in front.
    void StartShell()
    {
        PROCESS_INFORMATION info = {};
        ASSERT_TRUE(CreateProcessW(u"\\Windows\\shell.exe", nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   nullptr, &info));
        CloseHandle(info.hProcess);
        for (int tries = 0; tries < 100 && !desktop_; ++tries) {
            Sleep(10);
            HWND found = FindWindowW(u"DesktopExplorerWindow", nullptr);
            if (found && GetForegroundWindow() == found)
                desktop_ = found;
        }
        ASSERT_NE(desktop_, nullptr);
    }

    HWND Item(const std::u16string& name) const
    {
        for (HWND child = GetWindow(desktop_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            WCHAR title[64] = {};
            GetWindowTextW(child, title, 64);
            if (name == title)
                return child;
        }
        return nullptr;
    }
    static RECT Place(HWND item)
    {
        RECT r = {};
        GetWindowRect(item, &r);
        return r;
    }
    static Seen SeenBy(HWND item)
    {
        Seen seen;
        for (WPARAM i = 0; UINT msg = static_cast<UINT>(SendMessageW(item, testitem::kMessageAt, i, 0)); ++i)
            seen.push_back({msg, static_cast<WPARAM>(SendMessageW(item, testitem::kParamAt, i, 0))});
        return seen;
    }
    // The shell runs until it waits again.
    void Press(UINT key) const
    {
        PostMessageW(desktop_, WM_KEYDOWN, key, 1);
        PostMessageW(desktop_, WM_KEYUP, key, 0xC0000001);
        Sleep(10);
    }
    void Reload() const
    {
        SendMessageW(desktop_, WM_WININICHANGE, 0xF2, 0);
        Sleep(10);
    }

    HWND desktop_ = nullptr;
};

// Enabled custom items load by "Order", then by name; each is logged with
// its height and stacked below the date line at it, full width. A missing
// library, one without ordinal 240 and an item giving no window are logged
// and left out; disabled and built-in entries are passed over.
TEST_F(TodayHostTest, ItemsStackInOrderAndBrokenOnesAreLeftOut)
{
    AddItem({u"Later", 2, 30});
    AddItem({u"\"Quoted\"", 2, 25});
    AddItem({u"First", 1, 10});
    AddItem({u"Missing", 0, 20, 2, u"\\Windows\\absent.dll"});
    AddItem({u"NoEntry", 0, 20, 2, u"\\Windows\\Imgdecmp.dll"});
    AddItem({u"NoWindow", 0, testitem::kNoWindow | 20});
    AddItem({u"Disabled", 0, 20, 2, kTestItem, 0});
    AddItem({u"BuiltIn", 0, 20, 2, kTestItem, 1, 1});
    StartShell();

    EXPECT_EQ(Events("today-item-failed"), (std::vector<std::string>{
        R"(today-item-failed name="Missing" dll="\\Windows\\absent.dll" reason=load-failed error=126)",
        R"(today-item-failed name="NoEntry" dll="\\Windows\\Imgdecmp.dll" reason=no-ordinal-240)",
        R"(today-item-failed name="NoWindow" dll="\\Windows\\todaytest.dll" reason=no-window)",
    }));
    EXPECT_EQ(Events("today-item"), (std::vector<std::string>{
        R"(today-item name="First" dll="\\Windows\\todaytest.dll" height=10)",
        R"(today-item name="\"Quoted\"" dll="\\Windows\\todaytest.dll" height=25)",
        R"(today-item name="Later" dll="\\Windows\\todaytest.dll" height=30)",
    }));
    struct Expected {
        std::u16string name;
        RECT place;
    };
    const Expected laid[] = {{u"First", {0, kFirstItemTop, 240, kFirstItemTop + 10}},
                             {u"\"Quoted\"", {0, kFirstItemTop + 10, 240, kFirstItemTop + 35}},
                             {u"Later", {0, kFirstItemTop + 35, 240, kFirstItemTop + 65}}};
    for (const Expected& item : laid) {
        HWND window = Item(item.name);
        ASSERT_NE(window, nullptr);
        RECT r = Place(window);
        EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
                  (std::vector<LONG>{item.place.left, item.place.top, item.place.right, item.place.bottom}));
    }
    for (LPCWSTR absent : {TEXT("NoWindow"), TEXT("Disabled"), TEXT("BuiltIn")})
        EXPECT_EQ(Item(absent), nullptr);
    EXPECT_TRUE(Events("process-exit").empty());
}

// A new height is taken at the next poll and moves the items below; the
// items that stayed are not logged again.
TEST_F(TodayHostTest, AHeightChangeIsLaidOutWithinOnePoll)
{
    AddItem({u"Grows", 1, 20});
    AddItem({u"Below", 2, 20});
    StartShell();
    SendMessageW(Item(u"Grows"), testitem::kSetHeight, 44, 0);
    Sleep(kPollMs);

    EXPECT_EQ(Events("today-item"), (std::vector<std::string>{
        R"(today-item name="Grows" dll="\\Windows\\todaytest.dll" height=20)",
        R"(today-item name="Below" dll="\\Windows\\todaytest.dll" height=20)",
        R"(today-item name="Grows" dll="\\Windows\\todaytest.dll" height=44)",
    }));
    EXPECT_EQ(Place(Item(u"Grows")).bottom, kFirstItemTop + 44);
    EXPECT_EQ(Place(Item(u"Below")).top, kFirstItemTop + 44);
}

// DOWN and UP walk the date line and the items that may be selected; a
// selected item sees every navigation key first and the action key as its
// message. A tap moves the selection to the item that took it or to the
// date line, and the one leaving is told.
TEST_F(TodayHostTest, TheSelectionWalksTheItemsAndTellsThem)
{
    AddItem({u"One", 1});
    AddItem({u"Refuses", 2, testitem::kRefusesSelection | 20});
    AddItem({u"Never", 3, 20, 0});
    AddItem({u"Two", 4, testitem::kTakesSideKeys | 20});
    StartShell();
    EXPECT_TRUE(Events("today-select").empty()) << "nothing is selected after boot";

    for (UINT key : {VK_UP, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN, VK_DOWN, VK_DOWN, VK_LEFT, VK_UP})
        Press(key);
    PostMessageW(Item(u"Two"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    Sleep(10);
    PostMessageW(desktop_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, kFirstItemTop - 5));
    Sleep(10);

    EXPECT_EQ(Events("today-select"),
              (std::vector<std::string>{"today-select name=Date", R"(today-select name="One")",
                                        R"(today-select name="Two")", R"(today-select name="One")",
                                        R"(today-select name="Two")", "today-select name=Date"}));
    const Seen one = {{WM_TODAYCUSTOM_RECEIVEDSELECTION, VK_DOWN}, {WM_TODAYCUSTOM_USERNAVIGATION, VK_RIGHT},
                      {WM_TODAYCUSTOM_ACTION, VK_RETURN},          {WM_TODAYCUSTOM_USERNAVIGATION, VK_DOWN},
                      {WM_TODAYCUSTOM_LOSTSELECTION, 0},           {WM_TODAYCUSTOM_RECEIVEDSELECTION, VK_UP},
                      {WM_TODAYCUSTOM_LOSTSELECTION, 0}};
    const Seen refuses = {{WM_TODAYCUSTOM_RECEIVEDSELECTION, VK_DOWN}, {WM_TODAYCUSTOM_RECEIVEDSELECTION, VK_UP}};
    const Seen two = {{WM_TODAYCUSTOM_RECEIVEDSELECTION, VK_DOWN}, {WM_TODAYCUSTOM_USERNAVIGATION, VK_DOWN},
                      {WM_TODAYCUSTOM_USERNAVIGATION, VK_LEFT},    {WM_TODAYCUSTOM_USERNAVIGATION, VK_UP},
                      {WM_TODAYCUSTOM_LOSTSELECTION, 0},           {WM_TODAYCUSTOM_LOSTSELECTION, 0}};
    EXPECT_EQ(SeenBy(Item(u"One")), one);
    EXPECT_EQ(SeenBy(Item(u"Refuses")), refuses);
    EXPECT_EQ(SeenBy(Item(u"Never")), Seen());
    EXPECT_EQ(SeenBy(Item(u"Two")), two);
}

// 0xF2 has the screen drop its items and load what the registry lists now;
// the selection starts over. Other changes leave the items alone.
TEST_F(TodayHostTest, TheItemsAreRebuiltWhenTheRegistryChanges)
{
    AddItem({u"Goes", 1, 30});
    AddItem({u"Stays", 2, 20});
    StartShell();
    Press(VK_DOWN);
    Press(VK_DOWN);
    SendMessageW(desktop_, WM_WININICHANGE, 0, 0);
    EXPECT_EQ(Events("today-item").size(), 2u);

    RemoveItem(u"Goes");
    Reload();
    EXPECT_EQ(Item(u"Goes"), nullptr);
    ASSERT_NE(Item(u"Stays"), nullptr);
    EXPECT_EQ(Place(Item(u"Stays")).top, kFirstItemTop);
    EXPECT_EQ(Events("today-item").back(), R"(today-item name="Stays" dll="\\Windows\\todaytest.dll" height=20)");
    EXPECT_EQ(SeenBy(Item(u"Stays")), Seen()) << "a new window, told of nothing yet";
    Press(VK_DOWN);
    EXPECT_EQ(Events("today-select").back(), "today-select name=Date");

    RemoveItem(u"Stays");
    Reload();
    EXPECT_EQ(GetWindow(desktop_, GW_CHILD), nullptr);
    EXPECT_TRUE(Events("process-exit").empty());
}

// The watermark is the screen's own background where the item stands, and
// the colours an item asks for are those the screen draws with.
TEST_F(TodayHostTest, TheWatermarkAndColoursMatchTheScreen)
{
    AddItem({u"Strip", 1, 40});
    StartShell();
    HWND strip = Item(u"Strip");
    COLORREF top = static_cast<COLORREF>(SendMessageW(strip, testitem::kWatermarkAt, 0, 0));
    COLORREF bottom = static_cast<COLORREF>(SendMessageW(strip, testitem::kWatermarkAt, 39, 0));
    EXPECT_NE(top, bottom) << "the rows of a gradient";

    RemoveItem(u"Strip");
    Reload();
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetPixel(screen, 120, kFirstItemTop), top);
    EXPECT_EQ(GetPixel(screen, 120, kFirstItemTop + 39), bottom);

    Press(VK_DOWN);
    COLORREF highlight = static_cast<COLORREF>(SendMessageW(desktop_, TODAYM_GETCOLOR, TODAYCOLOR_HIGHLIGHT, 0));
    EXPECT_EQ(GetPixel(screen, 2, kFirstItemTop - 10), highlight) << "the selected date line";
    COLORREF text = static_cast<COLORREF>(SendMessageW(desktop_, TODAYM_GETCOLOR, TODAYCOLOR_TEXT, 0));
    COLORREF highlighted =
        static_cast<COLORREF>(SendMessageW(desktop_, TODAYM_GETCOLOR, TODAYCOLOR_HIGHLIGHTEDTEXT, 0));
    EXPECT_NE(text, highlight);
    EXPECT_NE(highlighted, highlight);
    ReleaseDC(nullptr, screen);
}

}  // namespace
