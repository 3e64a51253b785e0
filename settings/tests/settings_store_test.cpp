#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "device_fixture.h"
#include "settings/settings_store.h"

namespace {

using SettingsStoreTest = testsupport::DeviceFixture;

const WCHAR kMntPath[] = TEXT("software\\QuibSoftware\\Trevant\\MNT");

std::u16string ReadString(const char16_t* name, const char16_t* fallback = u"(default)")
{
    WCHAR text[REG_TEXT_MAX + 8];
    for (int i = REG_TEXT_MAX; i < REG_TEXT_MAX + 8; ++i)
        text[i] = 0x5A5A;
    ReadRegString(SETTINGS_SUBKEY, name, fallback, text);
    for (int i = REG_TEXT_MAX; i < REG_TEXT_MAX + 8; ++i)
        EXPECT_EQ(text[i], 0x5A5A) << "written past the buffer";
    return text;
}

// Stores raw bytes as the value, bypassing the store's own writer.
void SetRaw(const char16_t* name, DWORD type, const void* data, DWORD size)
{
    HKEY key = NULL;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kMntPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL),
              ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, type, (const BYTE*)data, size);
    RegCloseKey(key);
}

TEST_F(SettingsStoreTest, FirstWriteCreatesTheWholeKeyPath)
{
    HKEY key = NULL;
    ASSERT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, TEXT("software\\QuibSoftware"), 0, KEY_READ, &key), ERROR_SUCCESS);

    const WCHAR dir[] = TEXT("\\Program Files\\Quib Monitor\\");
    WriteRegString(SETTINGS_SUBKEY, TEXT("InstPath"), dir);

    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kMntPath, 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD type = 0;
    DWORD size = 0;
    ASSERT_EQ(RegQueryValueExW(key, TEXT("InstPath"), NULL, &type, NULL, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, (DWORD)REG_SZ);
    EXPECT_EQ(size, (wcslen(dir) + 1) * sizeof(WCHAR));
    RegCloseKey(key);
    EXPECT_EQ(ReadString(u"InstPath"), dir);
    EXPECT_EQ(Device().Store().OpenKeyCount(), 0u) << "a key handle was left open";
}

TEST_F(SettingsStoreTest, MissingValuesGiveTheirDefault)
{
    EXPECT_EQ(ReadString(u"HomePlugHilight", u"50"), u"50");
    EXPECT_EQ(ReadRegInt(TEXT("HomePlugHilight"), TEXT("50"), SETTINGS_SUBKEY), 50);
    EXPECT_EQ(ReadRegInt(TEXT("HomeRow"), TEXT("1"), SETTINGS_SUBKEY), 1);
}

TEST_F(SettingsStoreTest, IntegersAreStoredAsDecimalText)
{
    WriteRegInt(TEXT("HomePlugHilight"), 75, SETTINGS_SUBKEY);
    HKEY key = NULL;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kMntPath, 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD type = 0;
    WCHAR data[8] = {0};
    DWORD size = sizeof(data);
    ASSERT_EQ(RegQueryValueExW(key, TEXT("HomePlugHilight"), NULL, &type, (LPBYTE)data, &size), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(type, (DWORD)REG_SZ);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(std::u16string(data), u"75");
    EXPECT_EQ(ReadRegInt(TEXT("HomePlugHilight"), TEXT("50"), SETTINGS_SUBKEY), 75);

    WriteRegInt(TEXT("HomeMode"), -3, SETTINGS_SUBKEY);
    EXPECT_EQ(ReadString(u"HomeMode"), u"-3");
}

TEST_F(SettingsStoreTest, LocaleFormattedNumbersParse)
{
    UseProfile("de");
    WriteRegString(SETTINGS_SUBKEY, TEXT("HomeRow"), TEXT("1.234,5"));
    EXPECT_EQ(ReadRegInt(TEXT("HomeRow"), TEXT("1"), SETTINGS_SUBKEY), 1234);
}

TEST_F(SettingsStoreTest, OverlongValuesFallBackWithoutOverrun)
{
    std::u16string longText(300, u'x');
    WriteRegString(SETTINGS_SUBKEY, TEXT("InstPath"), longText.c_str());
    EXPECT_EQ(ReadString(u"InstPath"), u"(default)");

    std::u16string fits(255, u'y');
    WriteRegString(SETTINGS_SUBKEY, TEXT("InstPath"), fits.c_str());
    EXPECT_EQ(ReadString(u"InstPath"), fits);

    std::u16string longDefault(400, u'd');
    std::u16string read = ReadString(u"Missing", longDefault.c_str());
    EXPECT_EQ(read, std::u16string(255, u'd'));
}

TEST_F(SettingsStoreTest, UnterminatedAndOddValuesEndInsideTheBuffer)
{
    const char16_t raw[] = {u'a', u'b', u'c'};
    SetRaw(u"Raw", REG_SZ, raw, sizeof(raw));
    EXPECT_EQ(ReadString(u"Raw"), u"abc");

    char16_t full[REG_TEXT_MAX];
    for (char16_t& c : full)
        c = u'z';
    SetRaw(u"Full", REG_SZ, full, sizeof(full));
    EXPECT_EQ(ReadString(u"Full"), std::u16string(REG_TEXT_MAX - 1, u'z'));
}

TEST_F(SettingsStoreTest, NullTextDeletesTheValueAndNullNameTheSubKey)
{
    WriteRegString(SETTINGS_SUBKEY, TEXT("HomeMode"), TEXT("2"));
    WriteRegString(SETTINGS_SUBKEY, TEXT("HomeMode"), NULL);
    EXPECT_EQ(ReadString(u"HomeMode"), u"(default)");

    WriteRegString(SETTINGS_SUBKEY, TEXT("HomeRow"), TEXT("0"));
    WriteRegString(SETTINGS_SUBKEY, NULL, NULL);
    HKEY key = NULL;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kMntPath, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, TEXT("software\\QuibSoftware\\Trevant"), 0, KEY_READ, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST_F(SettingsStoreTest, ValuesSurviveADeviceRestart)
{
    WriteRegString(SETTINGS_SUBKEY, TEXT("HomePlugHilight"), TEXT("25"));
    UseProfile("qvga");
    EXPECT_EQ(ReadRegInt(TEXT("HomePlugHilight"), TEXT("50"), SETTINGS_SUBKEY), 25);
}

}  // namespace
