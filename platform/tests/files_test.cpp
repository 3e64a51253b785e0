#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "device_fixture.h"
#include "windows.h"

namespace {

constexpr DWORD kSentinel = 0xdeadbeef;

using FilesTest = testsupport::DeviceFixture;

HANDLE Open(LPCWSTR path, DWORD access, DWORD disposition)
{
    return CreateFileW(path, access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The outcome of one CreateFileW call: whether a handle came back and the
// last error it left. The handle is closed again.
struct OpenResult {
    bool opened;
    DWORD error;
};

OpenResult TryOpen(LPCWSTR path, DWORD access, DWORD disposition)
{
    SetLastError(kSentinel);
    HANDLE file = Open(path, access, disposition);
    OpenResult result{file != INVALID_HANDLE_VALUE, GetLastError()};
    if (result.opened)
        CloseHandle(file);
    return result;
}

void ExpectOpen(LPCWSTR path, DWORD access, DWORD disposition, bool opened, DWORD error, int line)
{
    OpenResult result = TryOpen(path, access, disposition);
    EXPECT_EQ(result.opened, opened) << "line " << line;
    EXPECT_EQ(result.error, error) << "line " << line;
}

TEST_F(FilesTest, CreateDispositionsReportWhatExisted)
{
    WriteHostFile("Program Files/A/x.txt", "old");

    ExpectOpen(u"\\Program Files\\A\\new.txt", GENERIC_WRITE, CREATE_NEW, true, ERROR_SUCCESS, __LINE__);
    ExpectOpen(u"\\program files\\a\\X.TXT", GENERIC_WRITE, CREATE_NEW, false, ERROR_FILE_EXISTS, __LINE__);
    ExpectOpen(u"\\Program Files\\A\\x.txt", GENERIC_READ, OPEN_ALWAYS, true, ERROR_ALREADY_EXISTS, __LINE__);
    EXPECT_EQ(ReadHostFile("Program Files/A/x.txt"), "old");
    ExpectOpen(u"\\Program Files\\A\\x.txt", GENERIC_WRITE, CREATE_ALWAYS, true, ERROR_ALREADY_EXISTS, __LINE__);
    EXPECT_EQ(ReadHostFile("Program Files/A/x.txt"), "");
    ExpectOpen(u"\\Program Files\\A\\always.txt", GENERIC_WRITE, CREATE_ALWAYS, true, ERROR_SUCCESS, __LINE__);
    ExpectOpen(u"\\Program Files\\A\\open.txt", GENERIC_READ, OPEN_ALWAYS, true, ERROR_SUCCESS, __LINE__);
    EXPECT_TRUE(HostFileExists("Program Files/A/open.txt"));

    WriteHostFile("Program Files/A/t.txt", "data");
    ExpectOpen(u"\\Program Files\\A\\t.txt", GENERIC_WRITE, TRUNCATE_EXISTING, true, ERROR_SUCCESS, __LINE__);
    EXPECT_EQ(ReadHostFile("Program Files/A/t.txt"), "");

    ExpectOpen(u"\\Program Files\\A\\none.txt", GENERIC_READ, OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND, __LINE__);
    ExpectOpen(u"\\Program Files\\A\\none.txt", GENERIC_WRITE, TRUNCATE_EXISTING, false, ERROR_FILE_NOT_FOUND,
               __LINE__);
    ExpectOpen(u"\\Program Files\\B\\none.txt", GENERIC_WRITE, CREATE_ALWAYS, false, ERROR_PATH_NOT_FOUND, __LINE__);
    ExpectOpen(u"\\Program Files\\A\\x.txt\\y", GENERIC_READ, OPEN_EXISTING, false, ERROR_PATH_NOT_FOUND, __LINE__);
    ExpectOpen(u"\\Program Files\\A", GENERIC_READ, OPEN_EXISTING, false, ERROR_ACCESS_DENIED, __LINE__);
    ExpectOpen(u"\\Program Files\\A", GENERIC_WRITE, OPEN_ALWAYS, false, ERROR_ACCESS_DENIED, __LINE__);
    ExpectOpen(u"\\Program Files\\A", GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS, false, ERROR_ACCESS_DENIED,
               __LINE__);
    ExpectOpen(u"\\Program Files\\A\\", GENERIC_WRITE, TRUNCATE_EXISTING, false, ERROR_ACCESS_DENIED, __LINE__);
    ExpectOpen(u"\\..\\escape.txt", GENERIC_WRITE, CREATE_ALWAYS, false, ERROR_INVALID_NAME, __LINE__);
    ExpectOpen(u"\\A\\x.txt", GENERIC_READ, 0, false, ERROR_INVALID_PARAMETER, __LINE__);
}

TEST_F(FilesTest, ReadAndWriteThroughTheHandle)
{
    HANDLE file = Open(u"\\notes.txt", GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD count = kSentinel;
    ASSERT_TRUE(WriteFile(file, "hello world", 11, &count, nullptr));
    EXPECT_EQ(count, 11u);
    char buffer[32] = {};
    SetLastError(kSentinel);
    EXPECT_FALSE(ReadFile(file, buffer, sizeof buffer, &count, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_EQ(count, 0u);
    ASSERT_TRUE(CloseHandle(file));
    EXPECT_EQ(ReadHostFile("notes.txt"), "hello world");

    file = Open(u"\\NOTES.TXT", GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD high = kSentinel;
    EXPECT_EQ(GetFileSize(file, &high), 11u);
    EXPECT_EQ(high, 0u);
    ASSERT_TRUE(ReadFile(file, buffer, 5, &count, nullptr));
    EXPECT_EQ(std::string(buffer, count), "hello");
    EXPECT_EQ(SetFilePointer(file, -5, nullptr, FILE_END), 6u);
    ASSERT_TRUE(ReadFile(file, buffer, sizeof buffer, &count, nullptr));
    EXPECT_EQ(std::string(buffer, count), "world");  // a short read at the end
    ASSERT_TRUE(ReadFile(file, buffer, sizeof buffer, &count, nullptr));
    EXPECT_EQ(count, 0u);  // end of file is success with nothing read
    EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, nullptr, nullptr));

    // A move before the start fails and leaves the pointer alone.
    SetLastError(kSentinel);
    EXPECT_EQ(SetFilePointer(file, -20, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NEGATIVE_SEEK));
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), 11u);
    LONG moveHigh = 0;
    EXPECT_EQ(SetFilePointer(file, 2, &moveHigh, FILE_BEGIN), 2u);
    EXPECT_EQ(moveHigh, 0);
    ASSERT_TRUE(ReadFile(file, buffer, 3, &count, nullptr));
    EXPECT_EQ(std::string(buffer, count), "llo");

    SetLastError(kSentinel);
    EXPECT_FALSE(WriteFile(file, "x", 1, &count, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(CloseHandle(file));
}

// A root filled from the image shares its files with it by hard links:
// opening for reading keeps the link, every way of writing breaks it first.
TEST_F(FilesTest, WritingASharedFileLeavesTheOtherLinkAlone)
{
    namespace fs = std::filesystem;
    const char* names[] = {"create.txt", "truncate.txt", "readwrite.txt", "append.txt", "wfopen.txt"};
    fs::path image = fs::path(Root()).parent_path() / (fs::path(Root()).filename().string() + "-image");
    fs::create_directories(image);
    for (const char* name : names) {
        WriteHostFile(name, "image data");
        fs::rename(HostPath(name), image / name);
        fs::create_hard_link(image / name, HostPath(name));
    }

    HANDLE file = Open(u"\\create.txt", GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_EQ(fs::hard_link_count(image / "create.txt"), 2u);

    const std::pair<LPCWSTR, DWORD> opens[] = {{u"\\create.txt", CREATE_ALWAYS},
                                               {u"\\truncate.txt", TRUNCATE_EXISTING},
                                               {u"\\readwrite.txt", OPEN_EXISTING}};
    for (const auto& [path, disposition] : opens) {
        file = Open(path, GENERIC_READ | GENERIC_WRITE, disposition);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD count = 0;
        EXPECT_TRUE(WriteFile(file, "device", 6, &count, nullptr));
        CloseHandle(file);
    }
    for (const auto& [mode, name] : {std::pair{u"a", "append.txt"}, std::pair{u"w", "wfopen.txt"}}) {
        FILE* stream = _wfopen((u"\\" + std::u16string(name, name + strlen(name))).c_str(), mode);
        ASSERT_NE(stream, nullptr) << name;
        fputws(u"device", stream);
        fclose(stream);
    }

    EXPECT_EQ(ReadHostFile("create.txt"), "device");
    EXPECT_EQ(ReadHostFile("truncate.txt"), "device");
    EXPECT_EQ(ReadHostFile("readwrite.txt"), "devicedata");
    EXPECT_EQ(ReadHostFile("append.txt"), "image datadevice");
    EXPECT_EQ(ReadHostFile("wfopen.txt"), "device");
    for (const char* name : names) {
        EXPECT_EQ(fs::hard_link_count(image / name), 1u) << name;
        EXPECT_FALSE(fs::exists(HostPath(std::string(name) + ".unshare"))) << name;
        std::ifstream in(image / name);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(text, "image data") << name;
    }
    fs::remove_all(image);
}

TEST_F(FilesTest, AFullStoreRefusesWritesThatGrowFiles)
{
    WriteHostFile("My Documents/old.txt", "0123456789");
    LimitStore(5);
    uint64_t capacity = *Device().Profile().storeCapacity;
    HANDLE file = Open(u"\\My Documents\\new.txt", GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    struct Step {
        const char* bytes;
        BOOL ok;
    };
    // Room for 5 bytes: 3, then not 3 more, then the 2 that fill it.
    const Step steps[] = {{"abc", TRUE}, {"def", FALSE}, {"de", TRUE}, {"f", FALSE}, {"", TRUE}};
    for (const Step& step : steps) {
        DWORD written = kSentinel;
        SetLastError(kSentinel);
        DWORD size = static_cast<DWORD>(std::strlen(step.bytes));
        EXPECT_EQ(WriteFile(file, step.bytes, size, &written, nullptr), step.ok) << step.bytes;
        EXPECT_EQ(written, step.ok ? size : 0u) << step.bytes;
        EXPECT_EQ(GetLastError(), step.ok ? kSentinel : DWORD(ERROR_DISK_FULL)) << step.bytes;
    }
    ULARGE_INTEGER caller, total, free;
    ASSERT_TRUE(GetDiskFreeSpaceExW(u"\\My Documents", &caller, &total, &free));
    EXPECT_EQ(total.QuadPart, capacity);
    EXPECT_EQ(free.QuadPart, 0u);
    STORE_INFORMATION store = {};
    ASSERT_TRUE(GetStoreInformation(&store));
    EXPECT_EQ(store.dwStoreSize, capacity);
    EXPECT_EQ(store.dwFreeSize, 0u);

    // Writing over what the file holds takes no room.
    EXPECT_EQ(SetFilePointer(file, 1, nullptr, FILE_BEGIN), 1u);
    EXPECT_TRUE(WriteFile(file, "BCDE", 4, nullptr, nullptr));
    EXPECT_FALSE(WriteFile(file, "F", 1, nullptr, nullptr));
    // A deleted file gives its room back.
    ASSERT_TRUE(DeleteFileW(u"\\My Documents\\old.txt"));
    EXPECT_TRUE(WriteFile(file, "0123456789", 10, nullptr, nullptr));
    EXPECT_FALSE(WriteFile(file, "!", 1, nullptr, nullptr));
    CloseHandle(file);
    EXPECT_EQ(ReadHostFile("My Documents/new.txt"), "aBCDE0123456789");

    // The storage card is not the object store.
    WriteHostFile("Storage Card/x.bin", "");
    HANDLE card = Open(u"\\Storage Card\\x.bin", GENERIC_WRITE, OPEN_EXISTING);
    ASSERT_NE(card, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(WriteFile(card, "on the card", 11, nullptr, nullptr));
    CloseHandle(card);
}

TEST_F(FilesTest, ClosedAndForeignHandlesAreInvalid)
{
    HANDLE file = Open(u"\\x.txt", GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(CloseHandle(file));

    DWORD count = kSentinel;
    char byte = 0;
    for (HANDLE bad : {file, HANDLE(nullptr), INVALID_HANDLE_VALUE, reinterpret_cast<HANDLE>(123456)}) {
        SetLastError(kSentinel);
        EXPECT_FALSE(CloseHandle(bad));
        EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
        SetLastError(kSentinel);
        EXPECT_FALSE(ReadFile(bad, &byte, 1, &count, nullptr));
        EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
        SetLastError(kSentinel);
        EXPECT_EQ(GetFileSize(bad, nullptr), INVALID_FILE_SIZE);
        EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    }

    // Find handles end with FindClose only, and FindClose ends nothing else.
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(u"\\*", &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    SetLastError(kSentinel);
    EXPECT_FALSE(CloseHandle(find));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    file = Open(u"\\x.txt", GENERIC_READ, OPEN_EXISTING);
    SetLastError(kSentinel);
    EXPECT_FALSE(FindClose(file));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_TRUE(FindClose(find));
    SetLastError(kSentinel);
    EXPECT_FALSE(FindClose(find));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
}

TEST_F(FilesTest, MissingDeviceRootFailsWithPathNotFound)
{
    std::filesystem::remove_all(Root());

    ExpectOpen(u"\\x.txt", GENERIC_WRITE, CREATE_ALWAYS, false, ERROR_PATH_NOT_FOUND, __LINE__);
    SetLastError(kSentinel);
    EXPECT_EQ(GetFileAttributesW(u"\\Windows"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
    WIN32_FIND_DATAW data;
    SetLastError(kSentinel);
    EXPECT_EQ(FindFirstFileW(u"\\*.*", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
    SetLastError(kSentinel);
    EXPECT_FALSE(CreateDirectoryW(u"\\Windows", nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
}

TEST_F(FilesTest, FoldersAttributesAndDeletion)
{
    WriteHostFile("Temp/a.txt", "a");

    EXPECT_TRUE(CreateDirectoryW(u"\\temp\\Sub", nullptr));
    EXPECT_TRUE(std::filesystem::is_directory(HostPath("Temp/Sub")));
    SetLastError(kSentinel);
    EXPECT_FALSE(CreateDirectoryW(u"\\TEMP\\sub", nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
    SetLastError(kSentinel);
    EXPECT_FALSE(CreateDirectoryW(u"\\Missing\\Sub", nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));

    EXPECT_EQ(GetFileAttributesW(u"\\Temp\\Sub") & FILE_ATTRIBUTE_DIRECTORY, DWORD(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(GetFileAttributesW(u"\\") & FILE_ATTRIBUTE_DIRECTORY, DWORD(FILE_ATTRIBUTE_DIRECTORY));
    DWORD fileAttributes = GetFileAttributesW(u"\\temp\\A.TXT");
    EXPECT_NE(fileAttributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(fileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
    SetLastError(kSentinel);
    EXPECT_EQ(GetFileAttributesW(u"\\Temp\\b.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));

    SetLastError(kSentinel);
    EXPECT_FALSE(RemoveDirectoryW(u"\\Temp"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_DIR_NOT_EMPTY));
    EXPECT_TRUE(RemoveDirectoryW(u"\\Temp\\SUB"));
    EXPECT_FALSE(HostFileExists("Temp/Sub"));
    std::filesystem::remove(HostPath("Temp/a.txt"));
    std::filesystem::remove(HostPath("Temp"));
    SetLastError(kSentinel);
    EXPECT_FALSE(RemoveDirectoryW(u"\\"));  // the device root stays
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(std::filesystem::is_directory(Root()));

    WriteHostFile("gone.txt", "");
    EXPECT_TRUE(DeleteFileW(u"\\GONE.txt"));
    EXPECT_FALSE(HostFileExists("gone.txt"));
    SetLastError(kSentinel);
    EXPECT_FALSE(DeleteFileW(u"\\gone.txt"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    WriteHostFile("Folder/f", "");
    SetLastError(kSentinel);
    EXPECT_FALSE(DeleteFileW(u"\\Folder"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
}

TEST_F(FilesTest, MoveFileRefusesAnExistingTarget)
{
    WriteHostFile("a.txt", "a");
    WriteHostFile("b.txt", "b");

    SetLastError(kSentinel);
    EXPECT_FALSE(MoveFileW(u"\\a.txt", u"\\B.TXT"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(ReadHostFile("a.txt"), "a");
    EXPECT_EQ(ReadHostFile("b.txt"), "b");

    EXPECT_TRUE(MoveFileW(u"\\A.txt", u"\\c.txt"));
    EXPECT_FALSE(HostFileExists("a.txt"));
    EXPECT_EQ(ReadHostFile("c.txt"), "a");
    // A change of case only renames the file itself.
    EXPECT_TRUE(MoveFileW(u"\\c.txt", u"\\C.TXT"));
    EXPECT_EQ(ReadHostFile("C.TXT"), "a");
    EXPECT_FALSE(HostFileExists("c.txt"));

    SetLastError(kSentinel);
    EXPECT_FALSE(MoveFileW(u"\\missing.txt", u"\\d.txt"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
}

// Names a search hands out, in order, with a 'D' prefix for folders;
// nullopt when FindFirstFileW fails.
std::optional<std::vector<std::u16string>> Search(LPCWSTR pattern)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(pattern, &data);
    if (find == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::vector<std::u16string> names;
    do {
        bool folder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        names.push_back((folder ? u"D " : u"") + std::u16string(data.cFileName));
    } while (FindNextFileW(find, &data));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(find));
    return names;
}

using Names = std::vector<std::u16string>;

TEST_F(FilesTest, FindListsMatchesInNameOrder)
{
    WriteHostFile("Program Files/A/zeta.txt", "zz");
    WriteHostFile("Program Files/A/Alpha.ini", "12345");
    WriteHostFile("Program Files/A/README", "");
    WriteHostFile("Program Files/A/.hidden", "");
    WriteHostFile("Program Files/A/beta/inner.txt", "");
    WriteHostFile("Program Files/A/Gamma/x", "");
    WriteHostFile("Program Files/A/bad\xff.txt", "");  // not UTF-8: no device name

    EXPECT_EQ(Search(u"\\program files\\a\\*.*"),
              Names({u".hidden", u"Alpha.ini", u"D beta", u"D Gamma", u"README", u"zeta.txt"}));
    EXPECT_EQ(Search(u"\\Program Files\\A\\*"), Search(u"\\Program Files\\A\\*.*"));
    EXPECT_EQ(Search(u"\\Program Files\\A\\*.TXT"), Names({u"zeta.txt"}));
    EXPECT_EQ(Search(u"/Program Files/A/?eta*"), Names({u"D beta", u"zeta.txt"}));
    EXPECT_EQ(Search(u"\\Program Files\\A\\readme"), Names({u"README"}));
    EXPECT_EQ(Search(u"\\Program Files\\A\\*m*a"), Names({u"D Gamma"}));
    EXPECT_EQ(Search(u"\\Program Files\\A\\*a*a*"), Names({u"Alpha.ini", u"D Gamma"}));
    EXPECT_EQ(Search(u"\\Program Files\\A\\alpha.*"), Names({u"Alpha.ini"}));
    EXPECT_EQ(Search(u"\\Program Files\\A\\readme.*"), Names({u"README"}));
    EXPECT_EQ(Search(u"\\Program Files\\A\\?"), std::nullopt);

    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(u"\\Program Files\\A\\alpha.ini", &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.nFileSizeLow, 5u);
    EXPECT_EQ(data.nFileSizeHigh, 0u);
    EXPECT_EQ(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_TRUE(FindClose(find));
}

TEST_F(FilesTest, FindWithoutMatchesFails)
{
    WriteHostFile("Windows/a.txt", "");
    WIN32_FIND_DATAW data;

    SetLastError(kSentinel);
    EXPECT_EQ(FindFirstFileW(u"\\Windows\\*.bmp", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    SetLastError(kSentinel);
    EXPECT_EQ(FindFirstFileW(u"\\Windows\\", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    SetLastError(kSentinel);
    EXPECT_EQ(FindFirstFileW(u"\\Nowhere\\*", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
    SetLastError(kSentinel);
    EXPECT_EQ(FindFirstFileW(u"\\Windows\\a.txt\\*", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
    SetLastError(kSentinel);
    EXPECT_EQ(FindFirstFileW(u"\\Win*\\*", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_NAME));
}

// Sets an environment variable for one scope and restores the old value.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST_F(FilesTest, ModuleFileNameIsTheProgramsDevicePath)
{
    WCHAR buffer[MAX_PATH];
    {
        ScopedEnv program("DEVSIM_PROGRAM", "\\Program Files\\Quib Monitor\\quibmonitor.exe");
        const std::u16string expected = u"\\Program Files\\Quib Monitor\\quibmonitor.exe";
        EXPECT_EQ(GetModuleFileNameW(nullptr, buffer, MAX_PATH), DWORD(expected.size()));
        EXPECT_EQ(std::u16string(buffer), expected);
        EXPECT_EQ(GetModuleFileNameW(GetModuleHandleW(nullptr), buffer, MAX_PATH), DWORD(expected.size()));
        EXPECT_EQ(GetModuleFileNameW(nullptr, buffer, DWORD(expected.size() + 1)), DWORD(expected.size()));
        EXPECT_EQ(std::u16string(buffer), expected);

        SetLastError(kSentinel);
        EXPECT_EQ(GetModuleFileNameW(nullptr, buffer, 5), 5u);
        EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
        EXPECT_EQ(std::u16string(buffer), u"\\Pro");
    }
    ScopedEnv noProgram("DEVSIM_PROGRAM", nullptr);
    // This test program lies outside the device root.
    const std::u16string expected = u"\\Windows\\platform_tests";
    EXPECT_EQ(GetModuleFileNameW(nullptr, buffer, MAX_PATH), DWORD(expected.size()));
    EXPECT_EQ(std::u16string(buffer), expected);
}

}  // namespace
