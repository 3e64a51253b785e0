#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "aygshell.h"
#include "device_fixture.h"
#include "test_resources.h"
#include "text_convert.h"
#include "windows.h"

namespace {

constexpr DWORD kSentinel = 0xdeadbeef;

// A library with resources only, placed in the device root under CE names;
// the program claims to run from \Program Files\Test.
class LibraryLoading : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        setenv("DEVSIM_PROGRAM", "\\Program Files\\Test\\prog.exe", 1);
        Place("Windows/Reslib.dll");
    }
    void TearDown() override
    {
        unsetenv("DEVSIM_PROGRAM");
        DeviceFixture::TearDown();
    }
    void Place(const std::string& relative)
    {
        std::filesystem::create_directories(std::filesystem::path(HostPath(relative)).parent_path());
        std::filesystem::copy_file(RESOURCE_TEST_MODULE, HostPath(relative));
    }
};

std::u16string Greeting(HMODULE module)
{
    WCHAR buffer[64];
    int length = LoadStringW(module, IDS_GREETING, buffer, 64);
    return std::u16string(buffer, length);
}

TEST_F(LibraryLoading, BareNamesSearchTheProgramFolderThenWindows)
{
    HMODULE windows = LoadLibraryW(u"reslib.DLL");
    ASSERT_NE(windows, nullptr);
    EXPECT_EQ(Greeting(windows), u"Hello from the library");
    EXPECT_EQ(LoadLibraryW(u"\\WINDOWS\\Reslib.dll"), windows);
    // Without an extension the name means a ".dll".
    EXPECT_EQ(LoadLibraryW(u"Reslib"), windows);

    Place("Program Files/Test/Reslib.dll");
    HMODULE own = LoadLibraryW(u"Reslib.dll");
    ASSERT_NE(own, nullptr);
    EXPECT_NE(own, windows);
    EXPECT_EQ(LoadLibraryW(u"\\program files\\test\\RESLIB.DLL"), own);
    EXPECT_EQ(Greeting(own), u"Hello from the library");

    for (HMODULE loaded : {windows, windows, windows, own, own})
        EXPECT_TRUE(FreeLibrary(loaded));
}

TEST_F(LibraryLoading, LoadsCountReferencesAndNamesFindTheLibrary)
{
    HMODULE first = LoadLibraryW(u"Reslib.dll");
    HMODULE second = LoadLibraryW(u"Reslib.dll");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(second, first);
    EXPECT_EQ(GetModuleHandleW(u"RESLIB.DLL"), first);
    EXPECT_EQ(GetModuleHandleW(u"reslib"), first);
    EXPECT_EQ(GetModuleHandleW(u"\\windows\\reslib.dll"), first);

    EXPECT_TRUE(FreeLibrary(first));
    EXPECT_EQ(GetModuleHandleW(u"Reslib.dll"), first);
    EXPECT_TRUE(FreeLibrary(second));
    SetLastError(kSentinel);
    EXPECT_EQ(GetModuleHandleW(u"Reslib.dll"), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_MOD_NOT_FOUND));
    SetLastError(kSentinel);
    EXPECT_FALSE(FreeLibrary(first));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
}

TEST_F(LibraryLoading, FailuresSetTheDocumentedErrors)
{
    WriteHostFile("Windows/Text.dll", "not a library");
    std::filesystem::create_directories(HostPath("Windows/Folder.dll"));
    struct Case {
        LPCWSTR name;
        DWORD error;
    } cases[] = {
        {u"Missing.dll", ERROR_MOD_NOT_FOUND},
        {u"\\Windows\\Missing.dll", ERROR_MOD_NOT_FOUND},
        {u"\\Program Files\\Reslib.dll", ERROR_MOD_NOT_FOUND},
        {u"Folder.dll", ERROR_MOD_NOT_FOUND},
        {u"Text.dll", ERROR_BAD_EXE_FORMAT},
        {nullptr, ERROR_INVALID_PARAMETER},
    };
    for (const Case& c : cases) {
        SetLastError(kSentinel);
        EXPECT_EQ(LoadLibraryW(c.name), nullptr);
        EXPECT_EQ(GetLastError(), c.error);
    }
}

TEST_F(LibraryLoading, OnlyTheLibrarysOwnExportsAreFound)
{
    HMODULE library = LoadLibraryW(u"Reslib.dll");
    ASSERT_NE(library, nullptr);
    EXPECT_NE(GetProcAddress(library, u"platform_module_resources"), nullptr);
    // Numbers come from the library's ordinal table.
    for (WORD ordinal : {240, 241}) {
        FARPROC proc = GetProcAddress(library, MAKEINTRESOURCEW(ordinal));
        ASSERT_NE(proc, nullptr) << ordinal;
        EXPECT_EQ(proc(), ordinal);
    }
    // malloc is reachable through the library's dependencies but is not
    // one of its exports; the main program has no ordinal table.
    for (LPCWSTR name : {u"NoSuchExport", u"malloc", static_cast<LPCWSTR>(MAKEINTRESOURCEW(242)),
                         static_cast<LPCWSTR>(MAKEINTRESOURCEW(0))}) {
        SetLastError(kSentinel);
        EXPECT_EQ(GetProcAddress(library, name), nullptr);
        EXPECT_EQ(GetLastError(), DWORD(ERROR_PROC_NOT_FOUND));
    }
    SetLastError(kSentinel);
    EXPECT_EQ(GetProcAddress(nullptr, MAKEINTRESOURCEW(240)), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PROC_NOT_FOUND));
    int notAModule = 0;
    SetLastError(kSentinel);
    EXPECT_EQ(GetProcAddress(reinterpret_cast<HMODULE>(&notAModule), u"platform_module_resources"), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_MOD_NOT_FOUND));

    // Each module names its own file; a handle that is none names nothing.
    WCHAR path[MAX_PATH];
    DWORD length = GetModuleFileNameW(library, path, MAX_PATH);
    EXPECT_EQ(std::u16string(path, length), u"\\Windows\\Reslib.dll");
    length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    EXPECT_EQ(std::u16string(path, length), u"\\Program Files\\Test\\prog.exe");
    SetLastError(kSentinel);
    EXPECT_EQ(GetModuleFileNameW(reinterpret_cast<HMODULE>(&notAModule), path, MAX_PATH), 0u);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_MOD_NOT_FOUND));
    EXPECT_TRUE(FreeLibrary(library));
}

}  // namespace

namespace {

using ShellExport21 = BOOL(WINAPI*)(HWND, DWORD);

TEST_F(LibraryLoading, TheShellLibraryIsThePlatformsOwnAndAnswersByNumber)
{
    HMODULE shell = LoadLibraryW(u"aygshell.dll");
    ASSERT_NE(shell, nullptr) << "no file of that name is in the device root";
    for (LPCWSTR name : {u"AygShell", u"AYGSHELL.DLL", u"\\Windows\\aygshell.dll", u"/windows/AYGSHELL"})
        EXPECT_EQ(LoadLibraryW(name), shell) << platform::Utf8FromUtf16(name);
    EXPECT_EQ(LoadLibraryW(u"\\Program Files\\Test\\aygshell.dll"), nullptr);

    auto noOp = reinterpret_cast<ShellExport21>(GetProcAddressW(shell, MAKEINTRESOURCEW(21)));
    ASSERT_NE(noOp, nullptr);
    EXPECT_TRUE(noOp(nullptr, 1));
    EXPECT_EQ(GetProcAddressW(shell, MAKEINTRESOURCEW(40)), reinterpret_cast<FARPROC>(SHRecognizeGesture));
    EXPECT_EQ(GetProcAddressW(shell, MAKEINTRESOURCEW(4)), reinterpret_cast<FARPROC>(SHSipInfo));
    EXPECT_EQ(GetProcAddressW(shell, u"SHRecognizeGesture"), reinterpret_cast<FARPROC>(SHRecognizeGesture));

    SetLastError(kSentinel);
    EXPECT_EQ(GetProcAddressW(shell, MAKEINTRESOURCEW(22)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_EQ(GetProcAddressW(shell, u""), nullptr);
    EXPECT_TRUE(FreeLibrary(shell));
    EXPECT_TRUE(FreeLibrary(shell));
    EXPECT_NE(GetProcAddressW(shell, MAKEINTRESOURCEW(21)), nullptr) << "the platform's library stays";
}

}  // namespace
