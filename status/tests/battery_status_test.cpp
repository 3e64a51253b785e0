#include <gtest/gtest.h>

#include <string>

#include "device_fixture.h"
#include "program_files.h"
#include "settings/language_list.h"
#include "settings/text_table.h"
#include "status/battery_status.h"

namespace {

class BatteryStatusTest : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        WriteHostFile(testsupport::ProgramFile("lang/lang.dat"), testsupport::ShippedFile("lang/lang.dat"));
        WriteHostFile(testsupport::ProgramFile("lang/en.txt"), testsupport::ShippedFile("lang/en.txt"));
        LoadLanguageList(testsupport::ProgramDirectory(), 1);
        LoadTextTable(testsupport::ProgramDirectory());
    }
    void TearDown() override
    {
        FreeTextTable();
        FreeLanguageList();
        DeviceFixture::TearDown();
    }

    void SetPower(BYTE mainFlag, BYTE mainPercent, BYTE backupFlag, BYTE backupPercent)
    {
        platform::DeviceStatus& status = Device().Profile().status;
        status.mainFlag = mainFlag;
        status.mainPercent = mainPercent;
        status.backupFlag = backupFlag;
        status.backupPercent = backupPercent;
    }

    // Writes the CE 5 battery state words as a driver would.
    void SetStateWords(DWORD mainWord, DWORD backupWord)
    {
        HKEY key = NULL;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, TEXT("System\\State\\Battery"), 0, NULL, 0, KEY_ALL_ACCESS,
                                  NULL, &key, NULL),
                  ERROR_SUCCESS);
        RegSetValueExW(key, TEXT("Main"), 0, REG_DWORD, (const BYTE*)&mainWord, sizeof(mainWord));
        RegSetValueExW(key, TEXT("Backup"), 0, REG_DWORD, (const BYTE*)&backupWord, sizeof(backupWord));
        RegCloseKey(key);
    }

    BatterySample Sample()
    {
        BatterySample sample;
        ZeroMemory(&sample, sizeof(sample));
        EXPECT_EQ(SampleBattery(&sample), 0);
        return sample;
    }
};

std::u16string Text(const WCHAR* text) { return text ? std::u16string(text) : u"(null)"; }

TEST_F(BatteryStatusTest, VersionFollowsThePlatform)
{
    EXPECT_TRUE(IsVersion5OrLater());
    UseProfile("ce4");
    EXPECT_FALSE(IsVersion5OrLater());
}

TEST_F(BatteryStatusTest, PercentagesBeforeVersion5AreClampedOnly)
{
    UseProfile("ce4");
    SetPower(BATTERY_FLAG_HIGH, 255, BATTERY_FLAG_HIGH, 101);
    BatterySample sample = Sample();
    EXPECT_EQ(sample.mainPercent, 100u);
    EXPECT_EQ(sample.backupPercent, 100u);

    SetPower(BATTERY_FLAG_HIGH, 100, BATTERY_FLAG_LOW, 0);
    sample = Sample();
    EXPECT_EQ(sample.mainPercent, 100u);
    EXPECT_EQ(sample.backupPercent, 0u);
}

TEST_F(BatteryStatusTest, FlagBytesBecomeStateWordsBeforeVersion5)
{
    UseProfile("ce4");
    SetPower(BATTERY_FLAG_HIGH | BATTERY_FLAG_CHARGING, 50, BATTERY_FLAG_UNKNOWN, 50);
    BatterySample sample = Sample();
    EXPECT_EQ(sample.mainState, (DWORD)BATTERY_STATE_CHARGING);
    EXPECT_EQ(sample.backupState, 15u);
    EXPECT_EQ(sample.mainFlag, 9);
    EXPECT_EQ(sample.backupFlag, 255);

    SetPower(BATTERY_FLAG_NO_BATTERY, 0, BATTERY_FLAG_CRITICAL | BATTERY_FLAG_LOW, 3);
    sample = Sample();
    EXPECT_EQ(sample.mainState, (DWORD)BATTERY_STATE_NOT_PRESENT);
    EXPECT_EQ(sample.backupState, (DWORD)(BATTERY_STATE_LOW | BATTERY_STATE_CRITICAL));
}

TEST_F(BatteryStatusTest, StrengthLevelStandsInForAnUnusablePercentage)
{
    SetPower(BATTERY_FLAG_HIGH, 0, BATTERY_FLAG_HIGH, 100);
    SetStateWords(41u << 16, 0u << 16);
    BatterySample sample = Sample();
    EXPECT_EQ(sample.mainPercent, 50u);
    EXPECT_EQ(sample.backupPercent, 0u);

    // 255 is first clamped to 100, which the level then replaces.
    SetPower(BATTERY_FLAG_HIGH, 255, BATTERY_FLAG_HIGH, 100);
    SetStateWords(61u << 16, 81u << 16);
    sample = Sample();
    EXPECT_EQ(sample.mainPercent, 75u);
    EXPECT_EQ(sample.backupPercent, 100u);

    // A usable percentage stays; an unlisted level changes nothing.
    SetPower(BATTERY_FLAG_HIGH, 1, BATTERY_FLAG_HIGH, 0);
    SetStateWords(21u << 16, 50u << 16);
    sample = Sample();
    EXPECT_EQ(sample.mainPercent, 1u);
    EXPECT_EQ(sample.backupPercent, 0u);
    SetPower(BATTERY_FLAG_HIGH, 99, BATTERY_FLAG_HIGH, 100);
    sample = Sample();
    EXPECT_EQ(sample.mainPercent, 99u);
    EXPECT_EQ(sample.backupPercent, 100u);
}

TEST_F(BatteryStatusTest, StateWordComesFromTheRegistryFromVersion5)
{
    SetPower(BATTERY_FLAG_HIGH, 80, BATTERY_FLAG_HIGH, 80);
    SetStateWords((61u << 16) | BATTERY_STATE_CHARGING, (81u << 16) | BATTERY_STATE_NOT_PRESENT);
    BatterySample sample = Sample();
    EXPECT_EQ(sample.mainState, (DWORD)BATTERY_STATE_CHARGING);
    EXPECT_EQ(sample.backupState, (DWORD)BATTERY_STATE_NOT_PRESENT);
    EXPECT_EQ(sample.mainFlag, BATTERY_FLAG_HIGH);
}

TEST_F(BatteryStatusTest, UnreadableStateValuesKeepThePowerQueryFigures)
{
    SetPower(BATTERY_FLAG_CHARGING, 100, BATTERY_FLAG_HIGH, 0);
    ASSERT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, TEXT("System\\State\\Battery")), ERROR_SUCCESS);
    BatterySample sample = Sample();
    EXPECT_EQ(sample.mainPercent, 100u);
    EXPECT_EQ(sample.backupPercent, 0u);
    EXPECT_EQ(sample.mainState, (DWORD)BATTERY_STATE_CHARGING);
    EXPECT_EQ(sample.backupState, 0u);
}

TEST_F(BatteryStatusTest, ReadRegistryDwordLeavesTheWordWhenTheKeyIsMissing)
{
    DWORD word = 1234;
    EXPECT_EQ(ReadRegistryDword(HKEY_LOCAL_MACHINE, TEXT("No\\Such\\Key"), TEXT("Main"), &word),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(word, 1234u);
    SetStateWords(0x00290004, 0);
    EXPECT_EQ(ReadRegistryDword(HKEY_LOCAL_MACHINE, TEXT("system\\state\\battery"), TEXT("MAIN"), &word),
              ERROR_SUCCESS);
    EXPECT_EQ(word, 0x00290004u);
}

TEST_F(BatteryStatusTest, StatusTextFromVersion5FollowsTheStateWord)
{
    EXPECT_EQ(Text(BatteryStatusText(0, 0)), u"Normal");
    EXPECT_EQ(Text(BatteryStatusText(BATTERY_STATE_CHARGING, 0)), u"Charging");
    EXPECT_EQ(Text(BatteryStatusText(BATTERY_STATE_LOW, 0)), u"Low Charge");
    EXPECT_EQ(Text(BatteryStatusText(BATTERY_STATE_CRITICAL | BATTERY_STATE_LOW, 0)), u"Low Charge");
    EXPECT_EQ(Text(BatteryStatusText(BATTERY_STATE_CRITICAL, 0)), u"Critical");
    EXPECT_EQ(Text(BatteryStatusText(BATTERY_STATE_NOT_PRESENT | BATTERY_STATE_CHARGING, 0)), u"Unknown");
    EXPECT_EQ(Text(BatteryStatusText(0x10, 0)), u"Unknown");
}

TEST_F(BatteryStatusTest, StatusTextBeforeVersion5FollowsTheExactFlagByte)
{
    UseProfile("ce4");
    EXPECT_EQ(Text(BatteryStatusText(0, BATTERY_FLAG_HIGH)), u"High Charge");
    EXPECT_EQ(Text(BatteryStatusText(0, BATTERY_FLAG_LOW)), u"Low Charge");
    EXPECT_EQ(Text(BatteryStatusText(0, BATTERY_FLAG_CRITICAL)), u"Critical");
    EXPECT_EQ(Text(BatteryStatusText(0, BATTERY_FLAG_CHARGING)), u"Charging");
    EXPECT_EQ(Text(BatteryStatusText(0, BATTERY_FLAG_NO_BATTERY)), u"No Battery");
    EXPECT_EQ(Text(BatteryStatusText(BATTERY_STATE_CHARGING, 9)), u"Unknown");
    EXPECT_EQ(Text(BatteryStatusText(0, 255)), u"Unknown");
}

TEST(PercentOfTest, ZeroMaximumGivesZero)
{
    EXPECT_EQ(PercentOf(5, 0), 0.0);
    EXPECT_DOUBLE_EQ(PercentOf(25, 200), 12.5);
    EXPECT_DOUBLE_EQ(PercentOf(0, 10), 0.0);
}

}  // namespace
