#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/today_item_entry.h"
#include "device_fixture.h"

namespace {

const WCHAR kUnquotedKey[] = TEXT("Software\\Microsoft\\Today\\Items\\QuibMonitor");

// A value as its type and bytes; empty when the key or the value is missing.
std::string Value(const WCHAR* keyPath, const WCHAR* name)
{
    HKEY key = NULL;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "";
    BYTE data[256];
    DWORD size = sizeof(data);
    DWORD type = REG_NONE;
    std::string value;
    if (RegQueryValueExW(key, name, NULL, &type, data, &size) == ERROR_SUCCESS)
        value = std::to_string(type) + ":" + std::string((const char*)data, size);
    RegCloseKey(key);
    return value;
}

std::string Dword(DWORD number) { return "4:" + std::string((const char*)&number, sizeof(number)); }

// Stored with its terminator, as the library path must be.
std::string Text(const std::u16string& text)
{
    return "1:" + std::string((const char*)text.c_str(), (text.size() + 1) * sizeof(WCHAR));
}

void SetValue(const WCHAR* keyPath, const WCHAR* name, const std::string& value)
{
    HKEY key = NULL;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL),
              ERROR_SUCCESS);
    DWORD type = value[0] - '0';
    RegSetValueExW(key, name, 0, type, (const BYTE*)value.data() + 2, (DWORD)value.size() - 2);
    RegCloseKey(key);
}

class TodayItemEntryTest : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        // Nothing paints the desktop here: start from a painted one.
        ValidateRect(GetDesktopWindow(), NULL);
    }

    // The settings change sent to the desktop, and all of it to be redrawn.
    bool ReloadRequested() const
    {
        HWND desktop = GetDesktopWindow();
        std::string sent = " to=" + std::to_string((uintptr_t)desktop) + " msg=0x1a wparam=0xf2 lparam=0x0 kind=sent";
        std::vector<std::string> messages = Events("xmsg");
        RECT update = {};
        RECT screen = {};
        GetWindowRect(desktop, &screen);
        return messages.size() == 1 && messages[0].find(sent) != std::string::npos &&
               GetUpdateRect(desktop, &update, FALSE) && update.right == screen.right && update.bottom == screen.bottom &&
               update.left == 0 && update.top == 0;
    }
};

TEST_F(TodayItemEntryTest, FirstStartWritesTheWholeEntry)
{
    EnsureTodayItemEntry();

    EXPECT_EQ(Value(TODAY_ITEM_KEY, u"DLL"), Text(u"\\windows\\QuibMonitorToday.dll"));
    EXPECT_EQ(Value(TODAY_ITEM_KEY, u"Enabled"), Dword(1));
    EXPECT_EQ(Value(TODAY_ITEM_KEY, u"Options"), Dword(0));
    EXPECT_EQ(Value(TODAY_ITEM_KEY, u"Type"), Dword(4));
    EXPECT_EQ(Value(TODAY_ITEM_KEY, u"Selectability"), Dword(2));
    EXPECT_EQ(Events("reg-set").size(), 5u);
    EXPECT_TRUE(ReloadRequested());
    EXPECT_EQ(Device().Store().OpenKeyCount(), 0u) << "a key handle was left open";
}

TEST_F(TodayItemEntryTest, LaterStartRewritesOnlyTheLibraryPath)
{
    SetValue(TODAY_ITEM_KEY, u"DLL", Text(u"\\old\\Today.dll"));
    SetValue(TODAY_ITEM_KEY, u"Enabled", Dword(0));
    size_t writesBefore = Events("reg-set").size();

    EnsureTodayItemEntry();

    EXPECT_EQ(Value(TODAY_ITEM_KEY, u"DLL"), Text(u"\\windows\\QuibMonitorToday.dll"));
    EXPECT_EQ(Value(TODAY_ITEM_KEY, u"Enabled"), Dword(0)) << "the user's choice stays";
    EXPECT_EQ(Value(TODAY_ITEM_KEY, u"Type"), "");
    EXPECT_EQ(Events("reg-set").size(), writesBefore + 1);
    EXPECT_TRUE(Events("xmsg").empty()) << "no reload for an item already known";
    EXPECT_EQ(Device().Store().OpenKeyCount(), 0u);
}

TEST_F(TodayItemEntryTest, KeyWithoutQuotesIsAnotherItem)
{
    SetValue(kUnquotedKey, u"Enabled", Dword(0));

    EnsureTodayItemEntry();

    EXPECT_EQ(Value(TODAY_ITEM_KEY, u"Enabled"), Dword(1));
    EXPECT_TRUE(ReloadRequested());
    EXPECT_EQ(Value(kUnquotedKey, u"Enabled"), Dword(0));
    EXPECT_EQ(Value(kUnquotedKey, u"DLL"), "");
}

}  // namespace
