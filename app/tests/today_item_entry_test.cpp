#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/today_item_entry.h"
#include "device_fixture.h"

namespace {

class TodayItemEntryTest : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        // Nothing paints the desktop here: start from a painted one.
        ValidateRect(GetDesktopWindow(), NULL);
    }

    // Whether the Today screen was asked to reload its items: the settings
    // change sent to the desktop, and the whole desktop to be repainted.
    bool ReloadRequested() const
    {
        HWND desktop = GetDesktopWindow();
        std::string to = " to=" + std::to_string((uintptr_t)desktop) + " msg=0x1a wparam=0xf2 lparam=0x0 kind=sent";
        std::vector<std::string> sent = Events("xmsg");
        RECT update = {};
        RECT screen = {};
        GetWindowRect(desktop, &screen);
        if (!GetUpdateRect(desktop, &update, FALSE))
            return false;
        bool wholeDesktop = update.left == 0 && update.top == 0 && update.right == screen.right - screen.left &&
                            update.bottom == screen.bottom - screen.top;
        return sent.size() == 1 && sent[0].find(to) != std::string::npos && wholeDesktop;
    }
};

const WCHAR kUnquotedKey[] = TEXT("Software\\Microsoft\\Today\\Items\\QuibMonitor");

// A value as stored; type REG_NONE when the key or the value is missing.
struct RegValue {
    DWORD type;
    std::vector<BYTE> data;
    bool operator==(const RegValue& other) const { return type == other.type && data == other.data; }
};

RegValue Read(const WCHAR* keyPath, const WCHAR* name)
{
    RegValue value = {REG_NONE, {}};
    HKEY key = NULL;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    BYTE buffer[256];
    DWORD size = sizeof(buffer);
    DWORD type = REG_NONE;
    if (RegQueryValueExW(key, name, NULL, &type, buffer, &size) == ERROR_SUCCESS)
        value = {type, std::vector<BYTE>(buffer, buffer + size)};
    RegCloseKey(key);
    return value;
}

RegValue Dword(DWORD number)
{
    const BYTE* bytes = (const BYTE*)&number;
    return {REG_DWORD, std::vector<BYTE>(bytes, bytes + sizeof(number))};
}

// The text with its terminator, as the item's library path is stored.
RegValue Text(const std::u16string& text)
{
    const BYTE* bytes = (const BYTE*)text.c_str();
    return {REG_SZ, std::vector<BYTE>(bytes, bytes + (text.size() + 1) * sizeof(WCHAR))};
}

void Write(const WCHAR* keyPath, const WCHAR* name, const RegValue& value)
{
    HKEY key = NULL;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL),
              ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, value.type, value.data.data(), (DWORD)value.data.size());
    RegCloseKey(key);
}

// The value names of the registry writes logged so far, in order.
std::vector<std::string> WrittenValues(const std::vector<std::string>& events)
{
    std::vector<std::string> names;
    for (const std::string& event : events) {
        size_t start = event.find("value=\"");
        size_t end = event.find('"', start + 7);
        names.push_back(event.substr(start + 7, end - start - 7));
    }
    return names;
}

TEST_F(TodayItemEntryTest, FirstStartWritesTheWholeEntryInOrder)
{
    EnsureTodayItemEntry();

    EXPECT_EQ(Read(TODAY_ITEM_KEY, u"DLL"), Text(u"\\windows\\QuibMonitorToday.dll"));
    EXPECT_EQ(Read(TODAY_ITEM_KEY, u"DLL").data.size(), 60u) << "29 characters and the terminator";
    EXPECT_EQ(Read(TODAY_ITEM_KEY, u"Enabled"), Dword(1));
    EXPECT_EQ(Read(TODAY_ITEM_KEY, u"Options"), Dword(0));
    EXPECT_EQ(Read(TODAY_ITEM_KEY, u"Type"), Dword(4));
    EXPECT_EQ(Read(TODAY_ITEM_KEY, u"Selectability"), Dword(2));
    std::vector<std::string> expected = {"DLL", "Enabled", "Options", "Type", "Selectability"};
    EXPECT_EQ(WrittenValues(Events("reg-set")), expected);
    EXPECT_TRUE(ReloadRequested());
    EXPECT_EQ(Device().Store().OpenKeyCount(), 0u) << "a key handle was left open";
}

TEST_F(TodayItemEntryTest, LaterStartRewritesOnlyTheLibraryPath)
{
    Write(TODAY_ITEM_KEY, u"DLL", Text(u"\\old\\Today.dll"));
    Write(TODAY_ITEM_KEY, u"Enabled", Dword(0));
    Write(TODAY_ITEM_KEY, u"Options", Dword(7));
    size_t writesBefore = Events("reg-set").size();

    EnsureTodayItemEntry();

    EXPECT_EQ(Read(TODAY_ITEM_KEY, u"DLL"), Text(u"\\windows\\QuibMonitorToday.dll"));
    EXPECT_EQ(Read(TODAY_ITEM_KEY, u"Enabled"), Dword(0)) << "the user's choice stays";
    EXPECT_EQ(Read(TODAY_ITEM_KEY, u"Options"), Dword(7));
    EXPECT_EQ(Read(TODAY_ITEM_KEY, u"Type").type, (DWORD)REG_NONE);
    std::vector<std::string> events = Events("reg-set");
    EXPECT_EQ(WrittenValues(std::vector<std::string>(events.begin() + writesBefore, events.end())),
              std::vector<std::string>{"DLL"});
    EXPECT_TRUE(Events("xmsg").empty()) << "no reload for an item already known";
    EXPECT_EQ(Device().Store().OpenKeyCount(), 0u);
}

TEST_F(TodayItemEntryTest, KeyWithoutQuotesIsAnotherItem)
{
    Write(kUnquotedKey, u"Enabled", Dword(0));

    EnsureTodayItemEntry();

    EXPECT_EQ(Read(TODAY_ITEM_KEY, u"Enabled"), Dword(1));
    EXPECT_EQ(Read(TODAY_ITEM_KEY, u"Selectability"), Dword(2));
    EXPECT_TRUE(ReloadRequested());
    EXPECT_EQ(Read(kUnquotedKey, u"Enabled"), Dword(0));
    EXPECT_EQ(Read(kUnquotedKey, u"DLL").type, (DWORD)REG_NONE);
}

}  // namespace
