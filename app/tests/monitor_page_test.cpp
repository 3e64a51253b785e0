// The main monitor page on a real window: the detail lines, percentages and
// meters for each item, the arrow-key grid, the highlight and picture
// placement, and the layout of each screen form.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/monitor_page.h"
#include "app/page_menus.h"
#include "app/monitor_window.h"
#include "graphics/skin_image.h"
#include "monitor_window_fixture.h"
#include "ui/control.h"
#include "ui/image_control.h"
#include "ui/meter_bar.h"
#include "ui/text_label.h"

namespace {

using apptest::Text;
using Status = platform::DeviceStatus;

// The meter of each item, item 1 first.
const int kItemMeters[5] = {9, 10, 13, 14, 11};

std::u16string Wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// Megabytes of 1,048,576 bytes with 2 decimals and the given separator.
std::u16string Megabytes(double bytes, char16_t separator)
{
    char number[64];
    std::snprintf(number, sizeof(number), "%.2f", bytes / 1048576.0);
    std::u16string text = Wide(number);
    for (char16_t& c : text) {
        if (c == u'.')
            c = separator;
    }
    return text;
}

// Where the page's pictures come from on a QVGA-scale screen.
const std::u16string kGraphics = u"\\Program Files\\Quib Monitor\\graphics\\";

class MonitorPageTest : public apptest::MonitorWindowFixture {
protected:
    // A window on a fresh device of the profile, whose figures adjust
    // changes first; the main page it shows, or null.
    MonitorPage* StartPage(const std::string& profile, const std::function<void(Status&)>& adjust = {})
    {
        Close();
        UseProfile(profile);
        if (adjust)
            Change(adjust);
        Start(FALSE);
        page_ = dynamic_cast<MonitorPage*>(apptest::g_monitor->CurrentPage());
        EXPECT_NE(page_, nullptr) << profile;
        return page_;
    }
    // Changes the running device's figures, as the script's "set battery"
    // and "set card" do.
    void Change(const std::function<void(Status&)>& adjust)
    {
        adjust(Device().Profile().status);
        Device().PublishBatteryState();
    }
    void Select(int item)
    {
        page_->FocusControlById(kItemMeters[item - 1]);
        ASSERT_EQ(page_->SelectedItem(), item);
    }

    std::u16string Label(int id) const
    {
        TextLabel* label = dynamic_cast<TextLabel*>(page_->FindControl(id));
        return label ? Text(label->text) : u"(no label)";
    }
    MeterBar* Meter(int id) const { return dynamic_cast<MeterBar*>(page_->FindControl(id)); }
    int MeterValue(int id) const { return Meter(id) ? Meter(id)->value : -1; }
    std::u16string PictureName(int id) const
    {
        ImageControl* control = dynamic_cast<ImageControl*>(page_->FindControl(id));
        if (control == nullptr)
            return u"(no control)";
        return control->image ? Text(control->image->name) : u"(no picture)";
    }
    void ExpectLines(const std::u16string& line1, const std::u16string& line2, const std::u16string& line3) const
    {
        EXPECT_EQ(Label(16), line1);
        EXPECT_EQ(Label(17), line2);
        EXPECT_EQ(Label(18), line3);
    }

    MonitorPage* page_ = nullptr;
};

TEST_F(MonitorPageTest, MainBatteryLinesGiveChargeAndStatus)
{
    struct Case {
        const char* profile;
        BYTE flag;
        BYTE percent;
        int shown;
        const char16_t* status;
    } cases[] = {
        {"qvga", BATTERY_FLAG_HIGH, 87, 87, u"Status : Normal"},
        {"qvga", BATTERY_FLAG_CHARGING, 60, 60, u"Status : Charging"},
        // Before version 5 the flag byte names the status; a percentage the
        // platform does not know reads as full.
        {"ce4", BATTERY_FLAG_LOW, 255, 100, u"Status : Low Charge"},
        {"ce4", BATTERY_FLAG_HIGH | BATTERY_FLAG_CHARGING, 101, 100, u"Status : Unknown"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.profile) + " flag " + std::to_string(c.flag));
        MonitorPage* page = StartPage(c.profile, [&](Status& s) {
            s.mainFlag = c.flag;
            s.mainPercent = c.percent;
        });
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->SelectedItem(), ITEM_MAIN_BATTERY);
        std::u16string percent = Wide(std::to_string(c.shown));
        ExpectLines(u"Main", percent + u"% Available", c.status);
        EXPECT_EQ(MeterValue(9), c.shown);
        EXPECT_EQ(Label(20), percent + u"%");
    }
}

TEST_F(MonitorPageTest, BackupBatteryLinesTellAnAbsentBatteryAndOnlyOldDevicesGiveItsStatus)
{
    struct Case {
        const char* profile;
        BYTE flag;
        BYTE percent;
        int shown;
        const char16_t* line2;
        const char16_t* line3;
    } cases[] = {
        {"qvga", BATTERY_FLAG_NO_BATTERY, 0, 0, u"Not Present", u"(null)"},
        {"qvga", BATTERY_FLAG_HIGH, 100, 100, u"100% Available", u"(null)"},
        {"ce4", BATTERY_FLAG_NO_BATTERY, 0, 0, u"Not Present", u"Status : No Battery"},
        // "Not known" sets every state bit, not present among them.
        {"ce4", BATTERY_FLAG_UNKNOWN, 255, 100, u"Not Present", u"Status : Unknown"},
        {"ce4", BATTERY_FLAG_HIGH, 100, 100, u"100% Available", u"Status : High Charge"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.profile) + " flag " + std::to_string(c.flag));
        MonitorPage* page = StartPage(c.profile, [&](Status& s) {
            s.backupFlag = c.flag;
            s.backupPercent = c.percent;
        });
        ASSERT_NE(page, nullptr);
        // The third line had the main battery's status before.
        ASSERT_NE(Label(18), u"(null)");
        ASSERT_NO_FATAL_FAILURE(Select(ITEM_BACKUP_BATTERY));
        ExpectLines(u"Backup", c.line2, c.line3);
        EXPECT_EQ(MeterValue(10), c.shown);
        EXPECT_EQ(Label(21), Wide(std::to_string(c.shown)) + u"%");
    }
}

TEST_F(MonitorPageTest, SpaceLinesGiveFreeUsedAndTotalMegabytesInTheLocale)
{
    ASSERT_NE(StartPage("de"), nullptr);
    const Status& s = Device().Profile().status;
    struct Item {
        int item;
        int meter;
        int percentLabel;
        const char16_t* name;
        double total;
        double free;
    } items[] = {
        {ITEM_PROGRAM_MEMORY, 13, 24, u"Program ", (double)s.memoryTotal, (double)s.memoryAvailable},
        {ITEM_STORAGE_MEMORY, 14, 25, u"Storage ", (double)s.storeSize, (double)s.storeFree},
        {ITEM_STORAGE_CARD, 11, 22, u"SD Card ", (double)s.cardTotal, (double)s.cardFree},
    };
    for (const Item& it : items) {
        SCOPED_TRACE(it.item);
        ASSERT_GT(it.free, 0.0);
        ASSERT_GT(it.total, it.free) << "the profile leaves something used";
        ASSERT_NO_FATAL_FAILURE(Select(it.item));
        ExpectLines(it.name + Megabytes(it.free, u',') + u"MB Free", Megabytes(it.total - it.free, u',') + u"MB Used",
                    Megabytes(it.total, u',') + u"MB Total");
        // Used percentages are truncated, not rounded.
        int used = (int)(100.0 - it.free / (it.total * 0.01));
        EXPECT_EQ(MeterValue(it.meter), used);
        EXPECT_EQ(Label(it.percentLabel), Wide(std::to_string(used)) + u"%");
    }
}

TEST_F(MonitorPageTest, MissingCardReadsZero)
{
    ASSERT_NE(StartPage("qvga"), nullptr);
    ASSERT_NO_FATAL_FAILURE(Select(ITEM_STORAGE_CARD));
    ASSERT_EQ(Label(16), u"SD Card 700.00MB Free");
    ASSERT_NE(MeterValue(11), 0);

    Change([](Status& s) { s.cardPresent = false; });
    EXPECT_TRUE(page_->OnCommand(REFRESH_COMMAND));
    EXPECT_EQ(MeterValue(11), 0);
    EXPECT_EQ(Label(22), u"0%");
    ExpectLines(u"SD Card 0.00MB Free", u"0.00MB Used", u"0.00MB Total");
}

TEST_F(MonitorPageTest, ArrowKeyUpsMoveTheSelectionOnTheGrid)
{
    ASSERT_NE(StartPage("qvga"), nullptr);
    const WPARAM keys[4] = {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN};
    // Rows 1-2 and 3-4 side by side, item 5 under item 3.
    const int moves[5][4] = {
        {1, 1, 2, 3}, {1, 2, 2, 4}, {3, 1, 4, 5}, {3, 2, 4, 5}, {5, 3, 5, 5},
    };
    // How line 1 of each item starts, so that it shows the figures follow.
    const char16_t* lineStarts[5] = {u"Main", u"Backup", u"Program ", u"Storage ", u"SD Card "};
    for (int from = 1; from <= 5; ++from) {
        for (int k = 0; k < 4; ++k) {
            SCOPED_TRACE("from " + std::to_string(from) + " key " + std::to_string(keys[k]));
            ASSERT_NO_FATAL_FAILURE(Select(from));
            EXPECT_TRUE(page_->OnKey(WM_KEYUP, keys[k], 0));
            int to = moves[from - 1][k];
            EXPECT_EQ(page_->SelectedItem(), to);
            std::u16string start = lineStarts[to - 1];
            EXPECT_EQ(Label(16).substr(0, start.size()), start);
        }
    }
}

TEST_F(MonitorPageTest, ArrowKeyDownIsTakenAndDoesNothingElse)
{
    ASSERT_NE(StartPage("qvga"), nullptr);
    HWND window = apptest::g_monitor->Window();
    Control* focused = page_->FocusedControl();
    ASSERT_NE(focused, nullptr);
    ASSERT_EQ(focused->id, 9);
    Change([](Status& s) { s.mainPercent = 40; });

    for (WPARAM key : {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN}) {
        SCOPED_TRACE(key);
        EXPECT_TRUE(page_->OnKey(WM_KEYDOWN, key, 0));
        // Through the window too, which would move the focus on up and
        // down had the page not taken them.
        SendMessageW(window, WM_KEYDOWN, key, 0);
        EXPECT_EQ(page_->SelectedItem(), ITEM_MAIN_BATTERY);
        EXPECT_EQ(page_->FocusedControl(), focused);
        EXPECT_EQ(Label(17), u"87% Available") << "no new sample";
    }
    // Other keys are left to the window, on either edge of the arrows.
    for (WPARAM key : {(WPARAM)VK_RETURN, (WPARAM)VK_LEFT - 1, (WPARAM)VK_DOWN + 1}) {
        SCOPED_TRACE(key);
        EXPECT_FALSE(page_->OnKey(WM_KEYDOWN, key, 0));
        EXPECT_FALSE(page_->OnKey(WM_KEYUP, key, 0));
        EXPECT_EQ(page_->SelectedItem(), ITEM_MAIN_BATTERY);
    }
    EXPECT_EQ(Label(17), u"87% Available");

    // A key-up that does not move still samples again.
    EXPECT_TRUE(page_->OnKey(WM_KEYUP, VK_LEFT, 0));
    EXPECT_EQ(page_->SelectedItem(), ITEM_MAIN_BATTERY);
    EXPECT_EQ(Label(17), u"40% Available");
    EXPECT_EQ(Label(20), u"40%");
}

TEST_F(MonitorPageTest, HighlightFramesTheSelectedMeterAndThePictureKeepsToTheRightEdge)
{
    ASSERT_NE(StartPage("qvga"), nullptr);
    RECT client = apptest::ClientRect(apptest::g_monitor->Window());
    ASSERT_GT(client.right, 0);
    const char* pictures[5] = {"battery", "batterybackup", "memory", "memorybackup", "storage"};
    // Focusing a meter (a tap on it) selects its item.
    for (int item : {4, 1, 2, 3, 5}) {
        SCOPED_TRACE(item);
        ASSERT_NO_FATAL_FAILURE(Select(item));
        Control* highlight = page_->FindControl(40);
        Control* meter = page_->FindControl(kItemMeters[item - 1]);
        ASSERT_NE(highlight, nullptr);
        ASSERT_NE(meter, nullptr);
        EXPECT_EQ(highlight->rect.left, meter->rect.left - 3);
        EXPECT_EQ(highlight->rect.top, meter->rect.top - 3);
        EXPECT_EQ(highlight->rect.right, meter->rect.right + 3);
        EXPECT_EQ(highlight->rect.bottom, meter->rect.bottom + 3);

        std::string file = std::string("graphics/") + pictures[item - 1] + ".tga";
        EXPECT_EQ(PictureName(19), kGraphics + Wide(pictures[item - 1]) + u".tga");
        LONG width = apptest::TgaSize(apptest::ImageFile(file)).cx;
        ASSERT_GT(width, 0) << file;
        Control* picture = page_->FindControl(19);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->rect.right, client.right - 5);
        EXPECT_EQ(picture->rect.right - picture->rect.left, width);
    }
}

TEST_F(MonitorPageTest, PortraitAndLandscapeLayouts)
{
    struct Case {
        const char* profile;
        std::vector<int> ids;
        // Section captions in the 7-point font rather than the 9-point.
        bool smallCaptions;
        const char16_t* separator;
    } cases[] = {
        {"qvga",
         {40, 1, 9, 10, 2, 3, 30, 33, 7, 13, 14, 8, 15, 32, 35, 4,
          11, 6, 34, 31, 12, 5, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25},
         false, u"bar.tga"},
        {"landscape",
         {40, 1, 9, 10, 2, 3, 30, 33, 4, 11, 12, 5, 6, 31, 34, 7,
          13, 14, 8, 15, 32, 35, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25},
         true, u"bar_land.tga"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.profile);
        ASSERT_NE(StartPage(c.profile), nullptr);
        ASSERT_EQ(c.ids.size(), 32u);
        std::vector<int> ids;
        for (Control* control = page_->FirstControl(); control; control = control->next) {
            ids.push_back(control->id);
            // The device cell is laid out but never shown.
            bool deviceCell = control->id == 12 || control->id == 5 || control->id == 23;
            EXPECT_EQ(control->visible, deviceCell ? FALSE : TRUE) << control->id;
            if (TextLabel* label = dynamic_cast<TextLabel*>(control)) {
                bool caption = label->id == 1 || label->id == 4 || label->id == 7;
                LONG points = label->id == 16 || (caption && !c.smallCaptions) ? 9 : 7;
                LOGFONT font = {};
                ASSERT_EQ(GetObject(label->font, sizeof(font), &font), (int)sizeof(font)) << label->id;
                // Points at 96 dpi, rounded: 9 points are 12 pixels, 7 are 9.
                EXPECT_EQ(font.lfHeight, points == 9 ? -12 : -9) << label->id;
                EXPECT_EQ(font.lfWeight, FW_BOLD) << label->id;
                EXPECT_EQ(Text(font.lfFaceName), u"Tahoma") << label->id;
                EXPECT_EQ(label->colour, apptest::g_monitor->TextColour()) << label->id;
                EXPECT_FALSE(label->useThemeColour) << label->id;
            }
        }
        EXPECT_EQ(ids, c.ids);

        for (int id : {11, 12, 13, 14, 9, 10}) {
            ASSERT_NE(Meter(id), nullptr) << id;
            EXPECT_EQ(Meter(id)->alternate, id == 9 || id == 10 ? FALSE : TRUE) << id;
            EXPECT_EQ(Meter(id)->maximum, 100) << id;
        }
        for (int id : {33, 34, 35})
            EXPECT_EQ(PictureName(id), kGraphics + c.separator) << id;
        EXPECT_EQ(PictureName(30), kGraphics + u"battery_small.tga");
        EXPECT_EQ(PictureName(31), kGraphics + u"storage_small.tga");
        EXPECT_EQ(PictureName(32), kGraphics + u"memory_small.tga");
        EXPECT_EQ(PictureName(40), kGraphics + u"progress_hilight.tga");
    }
}

}  // namespace
