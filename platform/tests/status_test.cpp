#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "device_fixture.h"
#include "quit_message.h"
#include "server_connection.h"
#include "shlobj.h"
#include "windows.h"

namespace {

constexpr DWORD kSentinel = 0xdeadbeef;
constexpr uint64_t kMiB = 1024 * 1024;

class StatusTest : public testsupport::DeviceFixture {
protected:
    platform::DeviceStatus& Profile() { return Device().Profile().status; }
};

TEST_F(StatusTest, VersionComesFromTheProfile)
{
    OSVERSIONINFOW info;
    std::memset(&info, 0xff, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExW(&info));
    EXPECT_EQ(info.dwMajorVersion, 5u);
    EXPECT_EQ(info.dwMinorVersion, 1u);
    EXPECT_EQ(info.dwBuildNumber, 1700u);
    EXPECT_EQ(info.dwPlatformId, DWORD(VER_PLATFORM_WIN32_CE));
    EXPECT_EQ(info.szCSDVersion[0], 0);
    EXPECT_EQ(info.szCSDVersion[127], 0);

    UseProfile("ce4");
    ASSERT_TRUE(GetVersionExW(&info));
    EXPECT_EQ(info.dwMajorVersion, 4u);
    EXPECT_EQ(info.dwMinorVersion, 21u);
    EXPECT_EQ(info.dwBuildNumber, 1088u);

    info.dwOSVersionInfoSize = sizeof info - 1;
    SetLastError(kSentinel);
    EXPECT_FALSE(GetVersionExW(&info));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}

TEST_F(StatusTest, PowerStatusFillsTheRecord)
{
    Profile().acLineStatus = AC_LINE_ONLINE;
    Profile().mainFlag = BATTERY_FLAG_CHARGING;
    Profile().mainPercent = 42;
    Profile().backupFlag = BATTERY_FLAG_LOW;
    Profile().backupPercent = 9;

    SYSTEM_POWER_STATUS_EX2 power;
    std::memset(&power, 0xab, sizeof power);
    ASSERT_EQ(GetSystemPowerStatusEx2(&power, sizeof power, TRUE), DWORD(sizeof power));
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&power);
    EXPECT_EQ(bytes[0], AC_LINE_ONLINE);
    EXPECT_EQ(bytes[1], BATTERY_FLAG_CHARGING);
    EXPECT_EQ(bytes[2], 42);
    EXPECT_EQ(bytes[3], 0);
    EXPECT_EQ(bytes[13], BATTERY_FLAG_LOW);
    EXPECT_EQ(bytes[14], 9);
    EXPECT_EQ(power.BatteryLifeTime, BATTERY_LIFE_UNKNOWN);
    EXPECT_EQ(power.BatteryFullLifeTime, BATTERY_LIFE_UNKNOWN);
    EXPECT_EQ(power.BackupBatteryLifeTime, BATTERY_LIFE_UNKNOWN);
    EXPECT_EQ(power.BackupBatteryFullLifeTime, BATTERY_LIFE_UNKNOWN);
    EXPECT_EQ(power.BatteryVoltage, 0u);
    EXPECT_EQ(power.BatteryChemistry, 0);

    // A short record is refused and left alone.
    std::memset(&power, 0xab, sizeof power);
    EXPECT_EQ(GetSystemPowerStatusEx2(&power, sizeof power - 1, TRUE), 0u);
    for (size_t i = 0; i < sizeof power; ++i)
        ASSERT_EQ(bytes[i], 0xab) << i;
}

TEST_F(StatusTest, BatteryRegistryWordsFollowTheOsVersion)
{
    auto read = [this](const char16_t* name) -> std::optional<DWORD> {
        platform::RegistryService& registry = Device().Registry();
        platform::RegKeyId key = 0;
        if (registry.OpenKey(platform::kRegRootLocalMachine, u"System\\State\\Battery", key) != ERROR_SUCCESS)
            return std::nullopt;
        DWORD type = 0;
        std::vector<BYTE> data;
        LONG result = registry.QueryValue(key, name, type, data);
        registry.CloseKey(key);
        if (result != ERROR_SUCCESS || type != REG_DWORD || data.size() != 4)
            return std::nullopt;
        DWORD value;
        std::memcpy(&value, data.data(), 4);
        return value;
    };
    // qvga: main 87% high, backup 100% high.
    EXPECT_EQ(read(u"Main"), std::optional<DWORD>(81u << 16));
    EXPECT_EQ(read(u"Backup"), std::optional<DWORD>(81u << 16));

    UseProfile("ce4");
    EXPECT_FALSE(read(u"Main").has_value());
    EXPECT_FALSE(read(u"Backup").has_value());
}

TEST_F(StatusTest, MemoryAndStoreFigures)
{
    Profile().memoryTotal = 64 * kMiB;
    Profile().memoryAvailable = 16 * kMiB;
    MEMORYSTATUS memory;
    std::memset(&memory, 0xff, sizeof memory);
    GlobalMemoryStatus(&memory);
    EXPECT_EQ(memory.dwLength, DWORD(sizeof memory));
    EXPECT_EQ(memory.dwMemoryLoad, 75u);
    EXPECT_EQ(memory.dwTotalPhys, 64 * kMiB);
    EXPECT_EQ(memory.dwAvailPhys, 16 * kMiB);
    EXPECT_EQ(memory.dwTotalPageFile, 0u);
    EXPECT_EQ(memory.dwAvailPageFile, 0u);
    EXPECT_EQ(memory.dwTotalVirtual, 32 * kMiB);
    EXPECT_LE(memory.dwAvailVirtual, memory.dwTotalVirtual);

    Profile().storeSize = 0xfffffff0u;
    Profile().storeFree = 12345;
    STORE_INFORMATION store = {};
    ASSERT_TRUE(GetStoreInformation(&store));
    EXPECT_EQ(store.dwStoreSize, 0xfffffff0u);
    EXPECT_EQ(store.dwFreeSize, 12345u);
}

TEST_F(StatusTest, DiskFreeSpaceOfTheCardAndTheObjectStore)
{
    Profile().appDataTotal = 30 * kMiB;
    Profile().appDataFree = 11 * kMiB;
    Profile().cardTotal = 6 * 1024 * kMiB + 5;
    Profile().cardFree = (uint64_t(5) << 32) + 7;

    ULARGE_INTEGER caller, total, free;
    ASSERT_TRUE(GetDiskFreeSpaceExW(u"\\Storage Card", &caller, &total, &free));
    EXPECT_EQ(total.QuadPart, 6 * 1024 * kMiB + 5);
    EXPECT_EQ(free.QuadPart, (uint64_t(5) << 32) + 7);
    EXPECT_EQ(caller.QuadPart, free.QuadPart);

    const char16_t* cardPaths[] = {u"\\storage card\\", u"\\STORAGE CARD\\My Music\\x.mp3", u"/Storage Card"};
    for (const char16_t* path : cardPaths) {
        ASSERT_TRUE(GetDiskFreeSpaceExW(path, nullptr, &total, nullptr));
        EXPECT_EQ(total.QuadPart, 6 * 1024 * kMiB + 5);
    }

    const char16_t* storePaths[] = {nullptr, u"\\", u"\\Storage Cards", u"\\Storage", u"\\Windows", u""};
    for (const char16_t* path : storePaths) {
        ASSERT_TRUE(GetDiskFreeSpaceExW(path, &caller, &total, &free));
        EXPECT_EQ(total.QuadPart, 30 * kMiB);
        EXPECT_EQ(free.QuadPart, 11 * kMiB);
        EXPECT_EQ(caller.QuadPart, 11 * kMiB);
    }
    EXPECT_TRUE(GetDiskFreeSpaceExW(nullptr, nullptr, nullptr, nullptr));

    Profile().cardPresent = false;
    SetLastError(kSentinel);
    total.QuadPart = 99;
    EXPECT_FALSE(GetDiskFreeSpaceExW(u"\\Storage Card\\", &caller, &total, &free));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(total.QuadPart, 99u);
    EXPECT_TRUE(GetDiskFreeSpaceExW(u"\\My Documents", nullptr, &total, nullptr));
}

TEST_F(StatusTest, LocaleSeparators)
{
    WCHAR buffer[4] = {u'x', u'x', u'x', u'x'};
    EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 4), 2);
    EXPECT_EQ(buffer[0], u'.');
    EXPECT_EQ(buffer[1], 0);
    EXPECT_EQ(buffer[2], u'x');

    UseProfile("de");
    EXPECT_EQ(GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_SDECIMAL, buffer, 4), 2);
    EXPECT_EQ(buffer[0], u',');
    EXPECT_EQ(GetLocaleInfoW(0, LOCALE_STHOUSAND, buffer, 2), 2);
    EXPECT_EQ(buffer[0], u'.');
    EXPECT_EQ(buffer[1], 0);

    EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, nullptr, 0), 2);

    buffer[0] = u'x';
    SetLastError(kSentinel);
    EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 1), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(buffer[0], u'x');

    SetLastError(kSentinel);
    EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, 0x10 /* LOCALE_SGROUPING */, buffer, 4), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_FLAGS));
}

TEST_F(StatusTest, SpecialFolderPaths)
{
    struct Folder {
        int csidl;
        std::u16string path;
    };
    const Folder folders[] = {
        {CSIDL_APPDATA, u"\\Application Data"},
        {CSIDL_PROGRAMS, u"\\Windows\\Start Menu\\Programs"},
        {CSIDL_STARTMENU, u"\\Windows\\Start Menu"},
        {CSIDL_WINDOWS, u"\\Windows"},
        {CSIDL_PROGRAM_FILES, u"\\Program Files"},
        {CSIDL_PERSONAL, u"\\My Documents"},
        {CSIDL_STARTUP, u"\\Windows\\StartUp"},
        {CSIDL_DESKTOPDIRECTORY, u"\\Windows\\Desktop"},
        {CSIDL_FONTS, u"\\Windows\\Fonts"},
    };
    WCHAR path[260];
    for (const Folder& folder : folders) {
        ASSERT_TRUE(SHGetSpecialFolderPath(nullptr, path, folder.csidl, FALSE)) << folder.csidl;
        EXPECT_EQ(std::u16string(path), folder.path);
    }
    EXPECT_FALSE(HostFileExists("Windows/Start Menu"));
    EXPECT_FALSE(SHGetSpecialFolderPath(nullptr, path, 0x7f, FALSE));
    EXPECT_FALSE(SHGetSpecialFolderPath(nullptr, nullptr, CSIDL_APPDATA, FALSE));
}

TEST_F(StatusTest, SpecialFolderIsCreatedOnRequest)
{
    WCHAR path[260];
    ASSERT_TRUE(SHGetSpecialFolderPath(nullptr, path, CSIDL_PROGRAMS, TRUE));
    EXPECT_EQ(std::u16string(path), u"\\Windows\\Start Menu\\Programs");
    EXPECT_TRUE(HostFileExists("Windows/Start Menu/Programs"));
    // An existing folder is fine.
    EXPECT_TRUE(SHGetSpecialFolderPath(nullptr, path, CSIDL_PROGRAMS, TRUE));
}

TEST_F(StatusTest, PostQuitMessageRecordsTheExitCode)
{
    int code = -1;
    EXPECT_FALSE(platform::QuitPosted(code));
    PostQuitMessage(3);
    ASSERT_TRUE(platform::QuitPosted(code));
    EXPECT_EQ(code, 3);
    EXPECT_EQ(Events("quit"), std::vector<std::string>{"quit pid=" + std::to_string(GetCurrentProcessId()) + " code=3"});
    platform::ClearQuit();
    EXPECT_FALSE(platform::QuitPosted(code));
}

}  // namespace

namespace {

TEST(ServerConnection, FirstUseStartsADeviceFromTheEnvironment)
{
    std::string root = (std::filesystem::temp_directory_path() / "qmserver-XXXXXX").string();
    ASSERT_NE(mkdtemp(root.data()), nullptr);
    setenv("DEVSIM_ROOT", root.c_str(), 1);

    setenv("DEVSIM_PROFILE", "ce4", 1);
    platform::Disconnect();
    EXPECT_EQ(platform::Server().RootPath(), root);
    EXPECT_EQ(platform::Server().Status().osMajor, 4u);

    // An unknown profile falls back to qvga.
    setenv("DEVSIM_PROFILE", "no-such-profile", 1);
    platform::Disconnect();
    EXPECT_EQ(platform::Server().Status().osMajor, 5u);
    EXPECT_EQ(platform::Server().Status().mainPercent, 87);
    EXPECT_TRUE(std::filesystem::is_directory(root + "/Windows"));

    platform::Disconnect();
    unsetenv("DEVSIM_PROFILE");
    unsetenv("DEVSIM_ROOT");
    std::filesystem::remove_all(root);
}

}  // namespace
