// The desktop's 8-bit calls: text crosses code page 1252 both ways, sizes
// are counted in 8-bit characters, numbered names pass through.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "device_fixture.h"
#include "test_resources.h"

namespace {

TEST(AnsiCalls, ResourcesAndStringsInTheDesktopCodePage)
{
    HINSTANCE self = GetModuleHandleW(nullptr);
    char buffer[16];
    EXPECT_EQ(LoadStringA(self, IDS_ACCENTED, buffer, sizeof(buffer)), 7);
    EXPECT_STREQ(buffer, "Gr\xF6\xDF" "e \x80");
    // Cut to the buffer with its terminator.
    EXPECT_EQ(LoadStringA(self, IDS_ACCENTED, buffer, 4), 3);
    EXPECT_STREQ(buffer, "Gr\xF6");
    EXPECT_EQ(LoadStringA(self, IDS_UNKNOWN_BLOCK, buffer, sizeof(buffer)), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(LoadStringA(self, IDS_GREETING, buffer, 0), 0);

    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_BYTES), MAKEINTRESOURCEA(10)),
              FindResourceW(nullptr, MAKEINTRESOURCEW(IDR_BYTES), RT_RCDATA));
    EXPECT_NE(FindResourceA(nullptr, "#200", MAKEINTRESOURCEA(10)), nullptr);

    char narrow[8];
    BOOL usedDefault = FALSE;
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"\u20AC\u00E4", -1, narrow, sizeof(narrow), nullptr, &usedDefault), 3);
    EXPECT_STREQ(narrow, "\x80\xE4");
    EXPECT_FALSE(usedDefault);
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"\u03A9x", 2, narrow, sizeof(narrow), nullptr, &usedDefault), 2);
    EXPECT_EQ(std::string(narrow, 2), "?x");
    EXPECT_TRUE(usedDefault);
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"abc", -1, nullptr, 0, nullptr, nullptr), 4);
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"abc", -1, narrow, 2, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

class AnsiDeviceTest : public testsupport::DeviceFixture {};

TEST_F(AnsiDeviceTest, StringValuesAreStoredWideAndReadBackNarrow)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Caf\xE9", 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const char value[] = "Gr\xF6\xDF" "e \x80";
    ASSERT_EQ(RegSetValueExA(key, "Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof(value)),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, u"Wide", 0, REG_SZ, reinterpret_cast<const BYTE*>(u"\u03A9"), 4), ERROR_SUCCESS);

    WCHAR wide[16];
    DWORD size = sizeof(wide);
    ASSERT_EQ(RegQueryValueExW(key, u"Name", nullptr, nullptr, reinterpret_cast<BYTE*>(wide), &size), ERROR_SUCCESS);
    EXPECT_EQ(std::u16string(wide), u"Größe €");

    DWORD type = REG_NONE;
    size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Name", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, sizeof(value));
    char narrow[16];
    size = 4;
    EXPECT_EQ(RegQueryValueExA(key, "Name", nullptr, nullptr, reinterpret_cast<BYTE*>(narrow), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, sizeof(value));
    size = sizeof(narrow);
    ASSERT_EQ(RegQueryValueExA(key, "Name", nullptr, nullptr, reinterpret_cast<BYTE*>(narrow), &size), ERROR_SUCCESS);
    EXPECT_EQ(std::memcmp(narrow, value, sizeof(value)), 0);
    size = sizeof(narrow);
    ASSERT_EQ(RegQueryValueExA(key, "Wide", nullptr, nullptr, reinterpret_cast<BYTE*>(narrow), &size), ERROR_SUCCESS);
    EXPECT_STREQ(narrow, "?");
    RegCloseKey(key);

    HKEY opened = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Café", 0, 0, &opened), ERROR_SUCCESS);
    RegCloseKey(opened);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Caf\xE9"), ERROR_SUCCESS);
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Caf\xE9", 0, 0, &opened), ERROR_SUCCESS);
}

TEST_F(AnsiDeviceTest, FilesAndFoldersByNarrowNames)
{
    ASSERT_TRUE(CreateDirectoryA("\\Dossier \xE9t\xE9", nullptr));
    EXPECT_FALSE(CreateDirectoryA("\\Dossier \xE9t\xE9", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    HANDLE file = CreateFileA("\\Dossier \xE9t\xE9\\f.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_NE(GetFileAttributesW(u"\\Dossier été\\f.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(DeleteFileA("\\Dossier \xE9t\xE9\\f.txt"));
    EXPECT_TRUE(RemoveDirectoryA("\\Dossier \xE9t\xE9"));
    EXPECT_EQ(GetFileAttributesW(u"\\Dossier été"), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
