#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "device_fixture.h"

namespace {

constexpr BYTE kGuard = 0xCC;

class RegistryTest : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        openBefore_ = Device().Store().OpenKeyCount();
        Device().Log().Clear();
    }
    void TearDown() override
    {
        EXPECT_EQ(Device().Store().OpenKeyCount(), openBefore_) << "a key handle leaked";
        DeviceFixture::TearDown();
    }

    static HKEY Create(HKEY parent, LPCWSTR path)
    {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExW(parent, path, 0, nullptr, 0, 0, nullptr, &key, nullptr), ERROR_SUCCESS);
        return key;
    }
    std::string Hive() const { return ReadHostFile("Windows/registry.reg"); }

    size_t openBefore_ = 0;
};

TEST_F(RegistryTest, KeysOpenWithoutRegardToCase)
{
    HKEY created = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, TEXT("software\\QuibSoftware"), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &created, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));

    HKEY again = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, TEXT("SOFTWARE\\quibsoftware"), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &again, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    EXPECT_NE(again, created);

    HKEY opened = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, TEXT("SOFTWARE\\quibsoftware"), 0, KEY_READ, &opened), ERROR_SUCCESS);
    EXPECT_NE(Hive().find("[HKEY_LOCAL_MACHINE\\software\\QuibSoftware]\n"), std::string::npos) << Hive();

    HKEY untouched = HKEY_CURRENT_USER;
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, TEXT("Software\\Missing"), 0, KEY_READ, &untouched),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, TEXT("\\Software"), 0, KEY_READ, &untouched), ERROR_BAD_PATHNAME);
    EXPECT_EQ(untouched, HKEY_CURRENT_USER);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, TEXT("Software"), 0, KEY_READ, nullptr), ERROR_INVALID_PARAMETER);

    EXPECT_EQ(RegCloseKey(opened), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(again), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(created), ERROR_SUCCESS);
}

TEST_F(RegistryTest, QueryReportsSizesAndNeverOverrunsTheBuffer)
{
    HKEY key = Create(HKEY_CURRENT_USER, TEXT("Software\\Q"));
    const WCHAR text[] = TEXT("Hello");
    ASSERT_EQ(RegSetValueExW(key, TEXT("Greeting"), 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text),
              ERROR_SUCCESS);

    DWORD type = REG_NONE;
    DWORD size = 0;
    ASSERT_EQ(RegQueryValueExW(key, TEXT("greeting"), nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, sizeof text);

    // One byte short: nothing is written, not even within the given size.
    BYTE buffer[32];
    std::memset(buffer, kGuard, sizeof buffer);
    size = sizeof text - 1;
    type = REG_NONE;
    EXPECT_EQ(RegQueryValueExW(key, TEXT("Greeting"), nullptr, &type, buffer, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, sizeof text);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    for (BYTE b : buffer)
        ASSERT_EQ(b, kGuard);

    size = sizeof buffer;
    ASSERT_EQ(RegQueryValueExW(key, TEXT("Greeting"), nullptr, nullptr, buffer, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, sizeof text);
    EXPECT_EQ(std::memcmp(buffer, text, sizeof text), 0);
    for (size_t i = sizeof text; i < sizeof buffer; ++i)
        ASSERT_EQ(buffer[i], kGuard) << i;

    // Every output is optional, but data needs its size.
    EXPECT_EQ(RegQueryValueExW(key, TEXT("Greeting"), nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExW(key, TEXT("Greeting"), nullptr, nullptr, buffer, nullptr), ERROR_INVALID_PARAMETER);
    size = 7;
    EXPECT_EQ(RegQueryValueExW(key, TEXT("Missing"), nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(size, 7u);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegistryTest, ValuesRoundTripByType)
{
    HKEY key = Create(HKEY_CURRENT_USER, TEXT("Software\\Q"));
    DWORD number = 0xDEADBEEF;
    ASSERT_EQ(RegSetValueExW(key, TEXT("Number"), 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), sizeof number),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, nullptr, 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, TEXT("Bad"), 0, REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER);

    DWORD type = REG_NONE;
    DWORD read = 0;
    DWORD size = sizeof read;
    ASSERT_EQ(RegQueryValueExW(key, TEXT("NUMBER"), nullptr, &type, reinterpret_cast<BYTE*>(&read), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(size, sizeof read);
    EXPECT_EQ(read, number);
    EXPECT_NE(Hive().find("\"Number\"=dword:deadbeef\n"), std::string::npos) << Hive();

    // The default value: a NULL name and an empty one are the same.
    size = 99;
    ASSERT_EQ(RegQueryValueExW(key, TEXT(""), nullptr, &type, reinterpret_cast<BYTE*>(&read), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(size, 0u);

    ASSERT_EQ(RegDeleteValueW(key, TEXT("number")), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExW(key, TEXT("Number"), nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteValueW(key, TEXT("Number")), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegistryTest, BadAndDeletedHandles)
{
    for (HKEY bad : {static_cast<HKEY>(nullptr), HKEY_CLASSES_ROOT, HKEY_USERS, reinterpret_cast<HKEY>(1),
                     reinterpret_cast<HKEY>(0x7777)}) {
        HKEY out = nullptr;
        EXPECT_EQ(RegOpenKeyExW(bad, TEXT(""), 0, KEY_READ, &out), ERROR_INVALID_HANDLE);
        EXPECT_EQ(RegSetValueExW(bad, TEXT("v"), 0, REG_BINARY, nullptr, 0), ERROR_INVALID_HANDLE);
        EXPECT_EQ(RegCloseKey(bad), ERROR_INVALID_HANDLE);
    }
    EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
    HKEY closed = Create(HKEY_LOCAL_MACHINE, TEXT("Closed"));
    ASSERT_EQ(RegCloseKey(closed), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(closed), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegQueryValueExW(closed, TEXT("v"), nullptr, nullptr, nullptr, nullptr), ERROR_INVALID_HANDLE);

    HKEY parent = Create(HKEY_CURRENT_USER, TEXT("A"));
    HKEY child = Create(parent, TEXT("B\\C"));
    ASSERT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, TEXT("a")), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(child, TEXT("v"), 0, REG_BINARY, nullptr, 0), ERROR_KEY_DELETED);
    EXPECT_EQ(RegQueryValueExW(parent, TEXT("v"), nullptr, nullptr, nullptr, nullptr), ERROR_KEY_DELETED);
    HKEY out = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, TEXT("A\\B"), 0, KEY_READ, &out), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, TEXT("A")), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, TEXT("")), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCloseKey(child), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(parent), ERROR_SUCCESS);
    EXPECT_EQ(Hive().find("HKEY_CURRENT_USER\\A"), std::string::npos) << Hive();
}

// Sub-keys come by index in the hive's order, by name without regard to
// case, spelled as created; the count is in characters.
TEST_F(RegistryTest, SubKeysEnumerateByIndex)
{
    HKEY items = Create(HKEY_LOCAL_MACHINE, TEXT("Software\\Items"));
    for (LPCWSTR name : {TEXT("b"), TEXT("\"Quoted\""), TEXT("A\\Deeper")})
        RegCloseKey(Create(items, name));
    std::vector<std::u16string> names;
    WCHAR name[16];
    DWORD count = 16;
    for (DWORD i = 0; RegEnumKeyExW(items, i, name, &count, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS; ++i) {
        EXPECT_EQ(count, std::char_traits<char16_t>::length(name));
        names.push_back(name);
        count = 16;
    }
    EXPECT_EQ(names, (std::vector<std::u16string>{u"\"Quoted\"", u"A", u"b"}));

    count = 8;  // "Quoted" and its quotes, without room for the terminator
    EXPECT_EQ(RegEnumKeyExW(items, 0, name, &count, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    count = 16;
    EXPECT_EQ(RegEnumKeyExW(items, 3, name, &count, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(RegEnumKeyExW(items, 0, name, nullptr, nullptr, nullptr, nullptr, nullptr), ERROR_INVALID_PARAMETER);
    ASSERT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, TEXT("Software\\Items")), ERROR_SUCCESS);
    EXPECT_EQ(RegEnumKeyExW(items, 0, name, &count, nullptr, nullptr, nullptr, nullptr), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(items), ERROR_SUCCESS);
}

TEST_F(RegistryTest, ChangesAreLogged)
{
    HKEY key = Create(HKEY_LOCAL_MACHINE, TEXT("Software\\Quib"));
    const WCHAR text[] = TEXT("say \"hi\" C:\\x");
    DWORD number = 42;
    const BYTE raw[] = {0x01, 0xab};
    ASSERT_EQ(RegSetValueExW(key, TEXT("Text"), 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, TEXT("Number"), 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), sizeof number),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, TEXT("Raw"), 0, REG_BINARY, raw, sizeof raw), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteValueW(key, TEXT("Raw")), ERROR_SUCCESS);
    // Failures are not logged.
    EXPECT_EQ(RegDeleteValueW(key, TEXT("Raw")), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegSetValueExW(nullptr, TEXT("x"), 0, REG_BINARY, raw, sizeof raw), ERROR_INVALID_HANDLE);
    ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, TEXT("SOFTWARE\\QUIB")), ERROR_SUCCESS);

    const std::vector<std::string> sets = {
        "reg-set key=\"HKEY_LOCAL_MACHINE\\\\Software\\\\Quib\" value=\"Text\" type=1 "
        "data=\"say \\\"hi\\\" C:\\\\x\"",
        "reg-set key=\"HKEY_LOCAL_MACHINE\\\\Software\\\\Quib\" value=\"Number\" type=4 data=42",
        "reg-set key=\"HKEY_LOCAL_MACHINE\\\\Software\\\\Quib\" value=\"Raw\" type=3 data=01ab",
    };
    EXPECT_EQ(Events("reg-set"), sets);
    const std::vector<std::string> deletes = {
        "reg-delete key=\"HKEY_LOCAL_MACHINE\\\\Software\\\\Quib\" value=\"Raw\"",
        "reg-delete key=\"HKEY_LOCAL_MACHINE\\\\Software\\\\Quib\"",
    };
    EXPECT_EQ(Events("reg-delete"), deletes);
}

TEST_F(RegistryTest, TheHiveOutlivesTheDevice)
{
    HKEY key = Create(HKEY_CURRENT_USER, TEXT("Software\\Caf\u00e9"));
    const WCHAR text[] = TEXT("\u00e9 \u20ac");
    ASSERT_EQ(RegSetValueExW(key, TEXT("Price"), 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text),
              ERROR_SUCCESS);
    ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);

    UseProfile("qvga");
    openBefore_ = Device().Store().OpenKeyCount();
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, TEXT("software\\CAF\u00c9"), 0, KEY_READ, &key), ERROR_SUCCESS);
    WCHAR read[8] = {};
    DWORD size = sizeof read;
    ASSERT_EQ(RegQueryValueExW(key, TEXT("price"), nullptr, nullptr, reinterpret_cast<BYTE*>(read), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, sizeof text);
    EXPECT_EQ(std::u16string(read), std::u16string(text));
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

}  // namespace
