// The texts and places of every display, from figures sampled on the
// device, and the running-task count the strip shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device_fixture.h"
#include "today/running_tasks.h"
#include "today/strip_layout.h"

namespace {

class StripLayoutTest : public testsupport::DeviceFixture {
protected:
    // The texts of the display, in drawing order.
    std::vector<std::u16string> Texts(int displayMode, int rowMode, int taskCount = 0)
    {
        StripFigures figures;
        SampleStripFigures(displayMode, &figures);
        figures.taskCount = taskCount;
        layout_ = Layout(displayMode, rowMode, &figures, FALSE, FALSE);
        std::vector<std::u16string> texts;
        for (int i = 0; i < layout_.count; ++i) {
            if (layout_.steps[i].kind == kStripText)
                texts.push_back(layout_.steps[i].text);
        }
        return texts;
    }

    static StripLayout Layout(int displayMode, int rowMode, const StripFigures* figures, BOOL noPath, BOOL loading,
                              BOOL vga = FALSE)
    {
        StripInput input = {};
        input.content = vga ? RECT{52, 0, 475, 64} : RECT{26, 0, 239, 34};
        input.vga = vga;
        input.scale = vga ? 2.0 : 1.0;
        input.rowMode = rowMode;
        input.displayMode = displayMode;
        input.noInstallPath = noPath;
        input.loading = loading;
        input.batteryWidth = 26;
        input.memoryWidth = 18;
        input.storageWidth = 14;
        input.figures = figures;
        StripLayout layout;
        LayoutStrip(input, &layout);
        return layout;
    }

    const StripStep* Find(StripStepKind kind) const
    {
        for (int i = 0; i < layout_.count; ++i) {
            if (layout_.steps[i].kind == kind)
                return &layout_.steps[i];
        }
        return nullptr;
    }

    void RemoveCard() { Device().Profile().status.cardPresent = false; }
    void RemoveBackupBattery()
    {
        Device().Profile().status.backupFlag = BATTERY_FLAG_NO_BATTERY;
        Device().PublishBatteryState();
    }

    StripLayout layout_ = {};
};

using TextList = std::vector<std::u16string>;
constexpr int kSingle = 1;
constexpr int kDouble = 0;

TEST_F(StripLayoutTest, DisplayTexts)
{
    // The qvga profile: main 87 %, backup 100 %, 38.40 MB of 64 MB program
    // memory free, 20.25 MB of 32 MB storage, a 1 GB card with 700 MB free.
    struct Case {
        int mode, rows, tasks;
        TextList texts;
    } cases[] = {
        {0, kSingle, 0, {u"Main Battery 87%"}},
        {1, kSingle, 0, {u"Backup Battery 100%"}},
        {1, kDouble, 0, {u"87%", u"Main Battery", u"100%", u"Backup Battery"}},
        {2, kSingle, 0, {u"Program Mem 39%", u"38.40MB Free"}},
        {3, kSingle, 0, {u"Storage Mem 36%", u"20.25MB Free"}},
        {3, kDouble, 0, {u"38.40MB Free", u"Program Mem 39%", u"20.25MB Free", u"Storage Mem 36%"}},
        {4, kSingle, 0, {u"SD Card 31%", u"700.00MB Free"}},
        {4, kDouble, 0, {u"700.00MB Free", u"SD Card 31%"}},
        {6, kSingle, 1, {u"1 Running Task. Press Action"}},
        {6, kSingle, 0, {u"No Running Tasks."}},
        {6, kSingle, 3, {u"3 Running Tasks. Press Action"}},
        {6, kDouble, 1, {u"1 Running Task.", u"Action Button To View Tasks"}},
        {6, kDouble, 0, {u"No Running Tasks."}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Texts(c.mode, c.rows, c.tasks), c.texts) << "mode " << c.mode << " rows " << c.rows;
}

TEST_F(StripLayoutTest, MissingBackupBatteryAndCard)
{
    RemoveBackupBattery();
    EXPECT_EQ(Texts(1, kSingle), (TextList{u"Backup Battery - Not Present"}));
    EXPECT_EQ(Texts(0, kDouble), (TextList{u"87%", u"Main Battery", u"N/A", u"Backup Battery"}));

    RemoveCard();
    EXPECT_EQ(Texts(4, kSingle), (TextList{u"No Card", u"0.00MB Free"}));
    // The card meter is full in the single row and empty in the double.
    EXPECT_EQ(Find(kStripVerticalMeter)->percent, 100);
    EXPECT_EQ(Texts(4, kDouble), (TextList{u"0.00MB Free", u"No Card"}));
    EXPECT_EQ(Find(kStripVerticalMeter)->percent, 0);

    UseProfile("de");
    RemoveCard();
    EXPECT_EQ(Texts(4, kSingle), (TextList{u"No Card", u"0,00MB Free"}));
    EXPECT_EQ(Texts(2, kDouble)[0], u"38,40MB Free");
}

TEST_F(StripLayoutTest, StateMessagesReplaceTheFigures)
{
    StripFigures figures = {};
    StripLayout layout = Layout(4, kSingle, &figures, TRUE, TRUE);
    ASSERT_EQ(layout.count, 1);
    EXPECT_EQ(std::u16string(layout.steps[0].text), u"Initialize: Start Quib Monitor");
    layout = Layout(6, kDouble, &figures, FALSE, TRUE);
    ASSERT_EQ(layout.count, 1);
    EXPECT_EQ(std::u16string(layout.steps[0].text), u"Please Wait: Quib Monitor Loading");
    EXPECT_EQ(layout.steps[0].x, 26 + 5);
    EXPECT_EQ(layout.steps[0].format, UINT(STRIP_TEXT_CENTRED));
}

TEST_F(StripLayoutTest, PlacesLoseTheirQvgaCorrectionOnVga)
{
    StripFigures figures = {};
    SampleStripFigures(0, &figures);
    struct Case {
        BOOL vga;
        int batteryText, secondColumn, secondRowTop, info;
    } cases[] = {
        // L = 26, R = 239, H = 106; battery text at L + 26 + 20 - 8.
        {FALSE, 64, 26 + 106, 18, 239 - 2 - 20},
        // L = 52, R = 475, H = 211.
        {TRUE, 98, 52 + 211, 36, 475 - 4 - 40},
    };
    for (const Case& c : cases) {
        StripLayout single = Layout(0, kSingle, &figures, FALSE, FALSE, c.vga);
        EXPECT_EQ(single.steps[2].x, c.batteryText);
        StripLayout both = Layout(0, kDouble, &figures, FALSE, FALSE, c.vga);
        EXPECT_EQ(both.steps[4].kind, kStripVerticalMeter);
        EXPECT_EQ(both.steps[4].x, c.secondColumn);
        EXPECT_EQ(both.steps[3].y, c.secondRowTop);
        StripLayout tasks = Layout(6, kSingle, &figures, FALSE, FALSE, c.vga);
        EXPECT_EQ(tasks.steps[tasks.count - 1].x, c.info);
    }
}

TEST_F(StripLayoutTest, RunningTasksLeaveOutOnlyThreeShellWindows)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = u"StripTaskWindow";
    RegisterClassW(&windowClass);
    const WCHAR* titles[] = {u"ActiveSync", u"Tray", u"Start", u"Desktop", u"MS_SIPBUTTON", u"Notes",
                             u"Quib Monitor", u"Quib Monitor Tasks", u"Programs", u"Settings"};
    HWND last = nullptr;
    for (const WCHAR* title : titles)
        last = CreateWindowExW(0, u"StripTaskWindow", title, WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                               nullptr);
    SetForegroundWindow(last);
    // "Desktop" and "MS_SIPBUTTON" count, as does the device's own desktop
    // window.
    EXPECT_EQ(CountRunningTasks(), 4);
    UnregisterClassW(u"StripTaskWindow", nullptr);
}

}  // namespace
