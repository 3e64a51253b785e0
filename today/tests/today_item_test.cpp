// The Today item as the shell drives it: the library loaded from the device
// root, ordinal 240 under a host window, and the item's messages.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <todaycmn.h>

#include "device_fixture.h"
#include "server/png_file.h"
#include "server/screen_buffer.h"
#include "settings/settings_store.h"
#include "status/battery_status.h"

namespace fs = std::filesystem;

namespace {

constexpr UINT kLeft = 0x25;
constexpr UINT kRight = 0x27;

// The host's colours and the background it paints into the item's frame.
constexpr COLORREF kTextColour = RGB(0, 0, 0);
constexpr COLORREF kHighlightedTextColour = RGB(255, 255, 255);
constexpr COLORREF kHighlightColour = RGB(0, 0, 160);
constexpr COLORREF kWatermarkColour = RGB(240, 224, 192);

const WCHAR kHostClass[] = u"TestTodayHost";
int g_watermarks = 0;
int g_selections = 0;

// Posted to the host: answers the open options dialog with OK, as a tap on
// its caption button does.
constexpr UINT kConfirmOptions = WM_APP + 1;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case TODAYM_GETCOLOR:
        if (wParam == TODAYCOLOR_TEXT)
            return kTextColour;
        if (wParam == TODAYCOLOR_HIGHLIGHTEDTEXT)
            return kHighlightedTextColour;
        if (wParam == TODAYCOLOR_HIGHLIGHT)
            return kHighlightColour;
        return 0;
    case TODAYM_DRAWWATERMARK: {
        ++g_watermarks;
        const TODAYDRAWWATERMARKINFO* info = reinterpret_cast<const TODAYDRAWWATERMARKINFO*>(lParam);
        HBRUSH brush = CreateSolidBrush(kWatermarkColour);
        FillRect(info->hdc, &info->rc, brush);
        DeleteObject(brush);
        return 0;
    }
    case TODAYM_TOOKSELECTION:
        ++g_selections;
        return 0;
    case kConfirmOptions: {
        HWND dialog = FindWindowW(nullptr, u"Quib Wandel Settings");
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        // A dialog that OK did not end would hold the test for good.
        if (IsWindow(dialog) && IsWindowVisible(dialog))
            EndDialog(dialog, -2);
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

class TodayItemTest : public testsupport::DeviceFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Restarts the device with another profile, the library in its root.
    void UseDevice(const std::string& profile);
    // Loads the library; quibmonitor's folder is written as "InstPath"
    // first unless told otherwise.
    void Load();
    // Ordinal 240 with a record of the given enabled flag; the item window
    // is placed at the top of the host with the height it reports.
    HWND Initialize(BOOL enabled = TRUE);
    // Asks the item for its height and gives it that height, as the host
    // does when the answer is TRUE.
    void Relayout(TODAYLISTITEM* record);
    // Dispatches every queued message.
    void Pump();

    // WM_TODAYCUSTOM_QUERYREFRESHCACHE with the record; its answer.
    LRESULT QueryRefresh(TODAYLISTITEM* record);
    // The kept pictures load on the item's 5-second timer.
    void LoadPictures();
    // "HomeMode"; -1 when it was never written.
    int StoredMode() const;

    // Written as "InstPath" by Load when not NULL.
    const WCHAR* installPath_ = u"\\Program Files\\Quib Monitor\\";
    HMODULE module_ = nullptr;
    HWND host_ = nullptr;
    HWND item_ = nullptr;
    PFNCUSTOMINITIALIZEITEM initialize_ = nullptr;
    void Navigate(UINT key) { SendMessageW(item_, WM_TODAYCUSTOM_USERNAVIGATION, key, 0); }
    void Action() { SendMessageW(item_, WM_TODAYCUSTOM_ACTION, 0, 0); }
    LRESULT Tap(int x, int y) { return SendMessageW(item_, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
    void SetBackupBattery(bool present)
    {
        Device().Profile().status.backupFlag = present ? BATTERY_FLAG_HIGH : BATTERY_FLAG_NO_BATTERY;
        Device().PublishBatteryState();
    }
    std::vector<std::string> Launches() const { return Events("shellexecute"); }
    // Frees the library and its host, as the shell does when it ends.
    void Unload()
    {
        DestroyWindow(host_);
        host_ = nullptr;
        FreeLibrary(module_);
        module_ = nullptr;
    }
    // The screen pixel at a point of the item, as a colour reference.
    COLORREF ScreenPixel(int x, int y)
    {
        POINT at = {x, y};
        MapWindowPoints(item_, nullptr, &at, 1);
        x = at.x;
        y = at.y;
        const sim::ScreenBuffer* screen = Device().Screen();
        const uint8_t* p = screen->Pixels() + static_cast<size_t>(y) * screen->Stride() + 3 * x;
        return RGB(p[2], p[1], p[0]);
    }
    // With QM_TEST_SHOTS set, the screen is written there to be looked at.
    void Shoot(const std::string& name)
    {
        const char* folder = std::getenv("QM_TEST_SHOTS");
        if (folder == nullptr)
            return;
        const sim::ScreenBuffer* screen = Device().Screen();
        std::string error;
        sim::BgrPixels pixels{screen->Pixels(), screen->Width(), screen->Height(), screen->Stride()};
        EXPECT_TRUE(sim::WritePngFile(std::filesystem::path(folder) / (name + ".png"), pixels, error)) << error;
    }
    void Paint()
    {
        InvalidateRect(item_, nullptr, FALSE);
        UpdateWindow(item_);
    }
};

void TodayItemTest::SetUp()
{
    DeviceFixture::SetUp();
    g_watermarks = 0;
    g_selections = 0;
    UseDevice("qvga");
}

void TodayItemTest::TearDown()
{
    if (host_)
        DestroyWindow(host_);
    if (module_)
        FreeLibrary(module_);
    UnregisterClassW(kHostClass, nullptr);
    DeviceFixture::TearDown();
}

void TodayItemTest::UseDevice(const std::string& profile)
{
    UseProfile(profile);
    fs::path library = HostPath("Windows/QuibMonitorToday.dll");
    fs::create_directories(library.parent_path());
    fs::copy_file(TODAY_MODULE, library, fs::copy_options::overwrite_existing);
    fs::path graphics = HostPath("Program Files/Quib Monitor/graphics");
    if (!fs::exists(graphics)) {
        fs::create_directories(graphics.parent_path());
        fs::create_directory_symlink(fs::path(QM_DEVICE_IMAGE) / "Program Files/Quib Monitor/graphics", graphics);
    }
}

void TodayItemTest::Load()
{
    if (installPath_)
        WriteRegString(SETTINGS_SUBKEY, u"InstPath", installPath_);
    module_ = LoadLibraryW(u"\\Windows\\QuibMonitorToday.dll");
    ASSERT_NE(module_, nullptr);
    initialize_ = reinterpret_cast<PFNCUSTOMINITIALIZEITEM>(GetProcAddress(module_, MAKEINTRESOURCEW(240)));
    ASSERT_NE(initialize_, nullptr);

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = HostProc;
    windowClass.lpszClassName = kHostClass;
    RegisterClassW(&windowClass);
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    host_ = CreateWindowExW(0, kHostClass, u"Desktop", WS_VISIBLE, 0, 0, work.right, work.bottom, nullptr, nullptr,
                            nullptr, nullptr);
    ASSERT_NE(host_, nullptr);
}

HWND TodayItemTest::Initialize(BOOL enabled)
{
    TODAYLISTITEM record = {};
    record.fEnabled = enabled;
    record.hinstDLL = module_;
    record.tlit = tlitCustom;
    item_ = initialize_(&record, host_);
    if (item_ != nullptr)
        Relayout(&record);
    return item_;
}

void TodayItemTest::Relayout(TODAYLISTITEM* record)
{
    if (QueryRefresh(record) == 0)
        return;
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    MoveWindow(item_, 0, 0, work.right, static_cast<int>(record->cyp), TRUE);
}

void TodayItemTest::Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

LRESULT TodayItemTest::QueryRefresh(TODAYLISTITEM* record)
{
    return SendMessageW(item_, WM_TODAYCUSTOM_QUERYREFRESHCACHE, 0, reinterpret_cast<LPARAM>(record));
}

void TodayItemTest::LoadPictures()
{
    SendMessageW(item_, WM_TIMER, 51, 0);
}

int TodayItemTest::StoredMode() const
{
    return ReadRegInt(u"HomeMode", u"-1", SETTINGS_SUBKEY);
}


// Backslashes are doubled in the event log's quoted texts.
std::string Logged(const std::string& text)
{
    std::string logged;
    for (char c : text) {
        logged += c;
        if (c == '\\')
            logged += c;
    }
    return logged;
}

bool Contains(const std::vector<std::string>& lines, const std::string& text)
{
    for (const std::string& line : lines) {
        if (line.find(text) != std::string::npos)
            return true;
    }
    return false;
}

TEST_F(TodayItemTest, InitialisationKeepsOrResetsTheItem)
{
    Load();
    EXPECT_EQ(Initialize(FALSE), nullptr);
    HWND first = Initialize();
    ASSERT_NE(first, nullptr);
    Navigate(kRight);
    Navigate(kRight);
    EXPECT_EQ(StoredMode(), 2);

    // The host rebuilds its items while the old window still stands; the
    // new window carries on with the display, and the old one's end does
    // not take the item with it.
    HWND second = Initialize();
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second, first);
    Navigate(kRight);
    EXPECT_EQ(StoredMode(), 3);
    DestroyWindow(first);
    Navigate(kRight);
    EXPECT_EQ(StoredMode(), 4);

    // The item goes with the window that owns it. The stale window left
    // beside it answers the height of no item and steps nothing.
    HWND third = Initialize();
    ASSERT_NE(third, nullptr);
    DestroyWindow(third);
    TODAYLISTITEM record = {};
    EXPECT_EQ(SendMessageW(second, WM_TODAYCUSTOM_QUERYREFRESHCACHE, 0, reinterpret_cast<LPARAM>(&record)), 1);
    EXPECT_EQ(record.cyp, 16u);
    EXPECT_EQ(SendMessageW(second, WM_TODAYCUSTOM_USERNAVIGATION, kRight, 0), 0);
    EXPECT_EQ(StoredMode(), 4);

    DestroyWindow(second);
    ASSERT_NE(Initialize(), nullptr);
    Navigate(kRight);
    EXPECT_EQ(StoredMode(), 1);
}

TEST_F(TodayItemTest, SteppingFollowsTheRowsAndTheBackupBattery)
{
    struct Case {
        const WCHAR* homeRow;
        bool backup;
        UINT key;
        std::vector<int> modes;
    } cases[] = {
        {u"1", true, kRight, {1, 2, 3, 4, 6, 0}},
        {u"1", true, kLeft, {6, 4, 3, 2, 1, 0}},
        {u"1", false, kRight, {2, 3, 4, 6, 0}},
        {u"1", false, kLeft, {6, 4, 3, 2, 0}},
        {u"0", true, kRight, {2, 4, 6, 0}},
        {u"0", true, kLeft, {6, 4, 2, 0}},
        {u"0", false, kRight, {2, 4, 6, 0}},
        {u"0", false, kLeft, {6, 4, 2, 0}},
    };
    Load();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << (c.homeRow[0] - u'0') << " backup " << c.backup << " key "
                                        << c.key);
        WriteRegString(SETTINGS_SUBKEY, u"HomeRow", c.homeRow);
        SetBackupBattery(c.backup);
        ASSERT_NE(Initialize(), nullptr);
        std::vector<int> seen;
        for (size_t i = 0; i < c.modes.size(); ++i) {
            Navigate(c.key);
            seen.push_back(StoredMode());
        }
        EXPECT_EQ(seen, c.modes);
        DestroyWindow(item_);
    }
    // The same keys as key presses.
    ASSERT_NE(Initialize(), nullptr);
    EXPECT_EQ(SendMessageW(item_, WM_KEYDOWN, kLeft, 0), 0);
    EXPECT_EQ(StoredMode(), 6);
    EXPECT_EQ(SendMessageW(item_, WM_TODAYCUSTOM_USERNAVIGATION, VK_UP, 0), 0);
    EXPECT_EQ(StoredMode(), 6);
}

TEST_F(TodayItemTest, HeightFollowsRowModeAndScreen)
{
    struct Case {
        const char* profile;
        const WCHAR* homeRow;
        DWORD height;
    } cases[] = {
        {"qvga", u"1", 20}, {"qvga", u"0", 34}, {"qvga", u"abc", 34}, {"qvga", u"-3", 34},
        {"qvga", u"99999999999", 34}, {"vga", u"1", 36}, {"vga", u"0", 64},
    };
    std::string loaded;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.profile << " HomeRow " << std::string(c.homeRow, c.homeRow + 2));
        if (loaded != c.profile) {
            if (module_)
                Unload();
            UseDevice(c.profile);
            Load();
            loaded = c.profile;
        }
        WriteRegString(SETTINGS_SUBKEY, u"HomeRow", c.homeRow);
        TODAYLISTITEM record = {};
        ASSERT_NE(Initialize(), nullptr);
        // A new item reports its height once; then only a record that
        // lost its height is answered.
        EXPECT_EQ(QueryRefresh(&record), 1);
        EXPECT_EQ(record.cyp, c.height);
        EXPECT_EQ(QueryRefresh(&record), 0);
        record.cyp = 0;
        EXPECT_EQ(QueryRefresh(&record), 1);
        EXPECT_EQ(record.cyp, c.height);
        // Whatever was stored, a switch changes the form.
        Action();
        EXPECT_EQ(QueryRefresh(&record), 1);
        EXPECT_NE(record.cyp, c.height);
        DestroyWindow(item_);
    }
}

TEST_F(TodayItemTest, ActionKeySwitchesRowsOrStartsThePopupTaskList)
{
    Load();
    ASSERT_NE(Initialize(), nullptr);
    TODAYLISTITEM record = {};
    EXPECT_EQ(QueryRefresh(&record), 1);
    EXPECT_EQ(record.cyp, 20u);

    Action();
    EXPECT_EQ(ReadRegInt(u"HomeRow", u"-1", SETTINGS_SUBKEY), 0);
    EXPECT_EQ(QueryRefresh(&record), 1);
    EXPECT_EQ(record.cyp, 34u);
    Action();
    EXPECT_EQ(ReadRegInt(u"HomeRow", u"-1", SETTINGS_SUBKEY), 1);
    EXPECT_EQ(QueryRefresh(&record), 1);
    EXPECT_EQ(record.cyp, 20u);
    EXPECT_TRUE(Launches().empty());

    Navigate(kLeft);
    Action();
    std::vector<std::string> launches = Launches();
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_TRUE(
        Contains(launches, Logged("file=\"\\Program Files\\Quib Monitor\\quibmonitor.exe\" params=\"/HOMETASK\"")))
        << launches[0];
}

TEST_F(TodayItemTest, TapZones)
{
    // QVGA, 240 wide: A is x 218..239 in mode 6, B x 25..214, C x 0..22 at
    // y 5..29.
    struct Case {
        bool tasksDisplay;
        int x, y;
        LRESULT result;
        // "HomeMode" afterwards; -1 when nothing stepped.
        int stored;
        const char* launch;
    } cases[] = {
        {true, 230, 10, 1, 6, "params=\"/HOMETASK\""},
        {false, 230, 10, 0, -1, nullptr},
        {false, 120, 10, 1, 1, nullptr},
        {true, 120, 10, 1, 0, nullptr},
        {false, 24, 10, 0, -1, nullptr},
        {false, 10, 2, 0, -1, nullptr},
    };
    Load();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "tap " << c.x << "," << c.y << (c.tasksDisplay ? " tasks" : ""));
        WriteRegString(SETTINGS_SUBKEY, u"HomeMode", nullptr);
        ASSERT_NE(Initialize(), nullptr);
        if (c.tasksDisplay)
            Navigate(kLeft);
        size_t launchesBefore = Launches().size();
        EXPECT_EQ(Tap(c.x, c.y), c.result);
        EXPECT_EQ(StoredMode(), c.stored);
        std::vector<std::string> launches = Launches();
        ASSERT_EQ(launches.size(), launchesBefore + (c.launch ? 1 : 0));
        if (c.launch) {
            EXPECT_NE(launches.back().find(c.launch), std::string::npos) << launches.back();
        }
        DestroyWindow(item_);
    }
}

TEST_F(TodayItemTest, FirstTapTellsTheHostOfTheSelection)
{
    Load();
    ASSERT_NE(Initialize(), nullptr);
    EXPECT_EQ(SendMessageW(item_, WM_LBUTTONDOWN, 0, MAKELPARAM(120, 10)), 1);
    EXPECT_EQ(SendMessageW(item_, WM_LBUTTONDOWN, 0, MAKELPARAM(120, 10)), 1);
    Pump();
    EXPECT_EQ(g_selections, 1);
    SendMessageW(item_, WM_TODAYCUSTOM_LOSTSELECTION, 0, 0);
    SendMessageW(item_, WM_LBUTTONDOWN, 0, MAKELPARAM(120, 10));
    Pump();
    EXPECT_EQ(g_selections, 2);
}

TEST_F(TodayItemTest, ItemMenuStartsQuibMonitorOrSwitchesRows)
{
    struct Case {
        std::vector<WPARAM> keys;
        const char* items;
        const char* launch;
        int homeRow;
    } cases[] = {
        {{VK_ESCAPE}, "items=\"Start Quib Monitor|-|Double Row\"", nullptr, 1},
        {{VK_DOWN, VK_RETURN}, "items=\"Start Quib Monitor|-|Double Row\"", "params=\"\"", 1},
        {{VK_DOWN, VK_DOWN, VK_RETURN}, "items=\"Start Quib Monitor|-|Double Row\"", nullptr, 0},
        {{VK_ESCAPE}, "items=\"Start Quib Monitor|-|Single Row\"", nullptr, 0},
    };
    Load();
    ASSERT_NE(Initialize(), nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.items);
        size_t launchesBefore = Launches().size();
        for (WPARAM key : c.keys)
            PostMessageW(item_, WM_KEYDOWN, key, 0);
        EXPECT_EQ(Tap(10, 10), 1);
        std::vector<std::string> menus = Events("menu-shown");
        ASSERT_FALSE(menus.empty());
        EXPECT_NE(menus.back().find(c.items), std::string::npos) << menus.back();
        std::vector<std::string> launches = Launches();
        ASSERT_EQ(launches.size(), launchesBefore + (c.launch ? 1 : 0));
        if (c.launch) {
            EXPECT_NE(launches.back().find(c.launch), std::string::npos) << launches.back();
        }
        EXPECT_EQ(ReadRegInt(u"HomeRow", u"1", SETTINGS_SUBKEY), c.homeRow);
    }
}

TEST_F(TodayItemTest, ItemDestroyedWhileItsMenuIsOpen)
{
    Load();
    HWND item = Initialize();
    ASSERT_NE(item, nullptr);
    Navigate(kRight);
    // The menu's loop dispatches the close, which destroys the item.
    PostMessageW(item, WM_CLOSE, 0, 0);
    EXPECT_EQ(Tap(10, 10), 1);
    ASSERT_FALSE(IsWindow(item));
    EXPECT_TRUE(Events("menu-chosen").empty());
    EXPECT_EQ(Events("menu-cancel").size(), 1u);
    ASSERT_NE(Initialize(), nullptr);
    Navigate(kRight);
    EXPECT_EQ(StoredMode(), 1);
}

TEST_F(TodayItemTest, OptionsDialogNeedsNoItem)
{
    Load();
    auto procedure = reinterpret_cast<DLGPROC>(GetProcAddress(module_, MAKEINTRESOURCEW(241)));
    ASSERT_NE(procedure, nullptr);
    // Run by the dialog manager from the library's template, OK ends it.
    PostMessageW(host_, kConfirmOptions, 0, 0);
    EXPECT_EQ(DialogBoxParamW(module_, MAKEINTRESOURCEW(500), host_, procedure, 0), 1);

    struct Case {
        UINT message;
        WPARAM wParam;
        INT_PTR result;
    } cases[] = {
        {WM_INITDIALOG, 0, 1},
        {WM_COMMAND, 1, 1},
        {WM_COMMAND, MAKEWPARAM(1, 5), 1},
        {WM_COMMAND, 2, 0},
        {WM_USER + 1, 0, 0},
    };
    for (const Case& c : cases) {
        HWND dialog = CreateDialogParamW(module_, MAKEINTRESOURCEW(500), host_, procedure, 0);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(procedure(dialog, c.message, c.wParam, 0), c.result) << c.message << " " << c.wParam;
        DestroyWindow(dialog);
    }
    EXPECT_EQ(StoredMode(), -1);
    EXPECT_EQ(ReadRegInt(u"HomeRow", u"-1", SETTINGS_SUBKEY), -1);

    // Dialog 500 as the host's dialog manager reads it.
    HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(500), RT_DIALOG);
    ASSERT_NE(found, nullptr);
    const BYTE* dialog = static_cast<const BYTE*>(LockResource(LoadResource(module_, found)));
    ASSERT_NE(dialog, nullptr);
    DWORD style, extendedStyle;
    WORD controls;
    short box[4];
    std::memcpy(&style, dialog, 4);
    std::memcpy(&extendedStyle, dialog + 4, 4);
    std::memcpy(&controls, dialog + 8, 2);
    std::memcpy(box, dialog + 10, 8);
    EXPECT_EQ(style, 0x90C00400u);
    EXPECT_EQ(extendedStyle, 0x80000000u);
    EXPECT_EQ(controls, 2);
    EXPECT_EQ(std::vector<short>(box, box + 4), (std::vector<short>{0, 0, 140, 57}));
    HRSRC aware = FindResourceW(module_, u"HI_RES_AWARE", u"CEUX");
    ASSERT_NE(aware, nullptr);
    EXPECT_EQ(SizeofResource(module_, aware), 2u);
}

TEST_F(TodayItemTest, FrameDrawsOverTheHostBackgroundWithTheHighlight)
{
    // 0 to 127 blend (a = 2p out of 255) over the watermark; anything else
    // leaves it.
    auto blend = [](int a, int colour, int pixel) { return (a * colour + (255 - a) * pixel) >> 8; };
    const COLORREF halfway = RGB(blend(100, 0, 240), blend(100, 0, 224), blend(100, 160, 192));
    struct Case {
        const WCHAR* strength;
        bool selected;
        COLORREF corner;
    } cases[] = {
        {nullptr, false, kWatermarkColour}, {nullptr, true, halfway},
        {u"0", true, kWatermarkColour},     {u"200", true, kWatermarkColour},
        {u"-5", true, kWatermarkColour},    {u"abc", true, kWatermarkColour},
    };
    Load();
    ASSERT_NE(Initialize(), nullptr);
    LoadPictures();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.strength ? std::string(c.strength, c.strength + 2) : "default")
                                        << (c.selected ? " selected" : ""));
        WriteRegString(SETTINGS_SUBKEY, u"HomePlugHilight", c.strength);
        SendMessageW(item_, c.selected ? WM_TODAYCUSTOM_RECEIVEDSELECTION : WM_TODAYCUSTOM_LOSTSELECTION, 0, 0);
        int before = g_watermarks;
        Paint();
        EXPECT_EQ(g_watermarks, before + 1);
        // Right of the text, where nothing of the display is drawn.
        EXPECT_EQ(ScreenPixel(232, 1), c.corner);
    }
    Shoot("today_selected_main_battery");
    SendMessageW(item_, WM_TODAYCUSTOM_LOSTSELECTION, 0, 0);
    // The monitor icon is read for the frame and drawn at the left end.
    int iconPixels = 0;
    for (int y = 1; y < 17; ++y) {
        for (int x = 0; x < 20; ++x)
            iconPixels += ScreenPixel(x, y) != kWatermarkColour;
    }
    EXPECT_GT(iconPixels, 50);

    // Every display in both forms, for a person to look at.
    TODAYLISTITEM record = {};
    for (int form = 0; form < 2; ++form) {
        for (int mode = 0; mode < 6; ++mode) {
            Paint();
            Shoot("today_form" + std::to_string(form) + "_step" + std::to_string(mode));
            Navigate(kRight);
        }
        Action();
        Relayout(&record);
    }
}

TEST_F(TodayItemTest, FaultyPicturesAndInstallPaths)
{
    // A picture cut in its header and one cut in its pixels, nothing else.
    std::string battery = ReadHostFile("Program Files/Quib Monitor/graphics/home_battery.tga");
    std::string meter = ReadHostFile("Program Files/Quib Monitor/graphics/home_vmeter3.tga");
    ASSERT_GT(battery.size(), 18u);
    WriteHostFile("Broken/graphics/home_battery.tga", battery.substr(0, battery.size() / 2));
    WriteHostFile("Broken/graphics/home_vmeter3.tga", meter.substr(0, 10));
    WriteHostFile("Broken/graphics/home_monitor.tga", "");

    struct Case {
        std::u16string installPath;
        const char* launch;
    } cases[] = {
        {u"\\Broken\\", "file=\"\\Broken\\quibmonitor.exe\""},
        {u"\\Program Files\\Quib Monitor", "file=\"\\Program Files\\Quib Monitor\\quibmonitor.exe\""},
        // Longer than the registry field: read as no path at all.
        {u"\\" + std::u16string(299, u'x') + u"\\", "file=\"quibmonitor.exe\""},
        // A whole field with no room for the backslash names nothing.
        {u"\\" + std::u16string(254, u'x'), "file=\"quibmonitor.exe\""},
    };
    Load();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.launch));
        WriteRegString(SETTINGS_SUBKEY, u"InstPath", c.installPath.c_str());
        ASSERT_NE(Initialize(), nullptr);
        LoadPictures();
        // Every display in both row forms, ending on the running tasks.
        Action();
        Paint();
        Action();
        for (int i = 0; i < 5; ++i) {
            Paint();
            Navigate(kRight);
        }
        Paint();
        Action();
        EXPECT_TRUE(Contains(Launches(), Logged(c.launch))) << Launches().back();
        DestroyWindow(item_);
    }
}

}  // namespace
