#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstring>
#include <string>
#include <vector>

#include "module_resources.h"
#include "resource_file.h"
#include "test_resources.h"
#include "windows.h"

namespace {

constexpr DWORD kSentinel = 0xdeadbeef;

std::string BytesOf(HMODULE module, HRSRC resource)
{
    const char* data = static_cast<const char*>(LockResource(LoadResource(module, resource)));
    return data ? std::string(data, SizeofResource(module, resource)) : std::string("<none>");
}

std::u16string StringOf(HINSTANCE module, UINT id)
{
    WCHAR buffer[64];
    int length = LoadStringW(module, id, buffer, 64);
    return std::u16string(buffer, length);
}

DWORD FindError(HMODULE module, LPCWSTR name, LPCWSTR type)
{
    SetLastError(kSentinel);
    EXPECT_EQ(FindResourceW(module, name, type), nullptr);
    return GetLastError();
}

TEST(Resources, FoundByOrdinalNameAndNumberText)
{
    HMODULE self = GetModuleHandleW(nullptr);
    ASSERT_NE(self, nullptr);
    EXPECT_EQ(GetModuleHandleW(nullptr), self);

    HRSRC hiRes = FindResourceW(self, u"HI_RES_AWARE", u"CEUX");
    ASSERT_NE(hiRes, nullptr);
    EXPECT_EQ(BytesOf(self, hiRes), std::string("\1\0", 2));
    // Names and types match without regard to case; NULL means the program.
    EXPECT_EQ(FindResourceW(nullptr, u"hi_res_aware", u"ceux"), hiRes);
    EXPECT_EQ(FindResourceW(self, u"mixed_case", RT_RCDATA), FindResourceW(self, u"MIXED_CASE", u"#10"));

    HRSRC bytes = FindResourceW(self, MAKEINTRESOURCEW(IDR_BYTES), RT_RCDATA);
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(BytesOf(nullptr, bytes), std::string("abc\x34\x12", 5));
    EXPECT_EQ(FindResourceW(self, u"#200", u"#10"), bytes);
}

TEST(Resources, FailuresSetTheDocumentedErrors)
{
    HMODULE self = GetModuleHandleW(nullptr);
    EXPECT_EQ(FindError(self, MAKEINTRESOURCEW(201), RT_RCDATA), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(FindError(self, u"HI_RES_AWARE", RT_RCDATA), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(FindError(self, MAKEINTRESOURCEW(IDR_BYTES), RT_DIALOG), DWORD(ERROR_RESOURCE_TYPE_NOT_FOUND));
    EXPECT_EQ(FindError(self, u"HI_RES_AWARE", u"CEU"), DWORD(ERROR_RESOURCE_TYPE_NOT_FOUND));
    EXPECT_EQ(FindError(self, u"#", RT_RCDATA), DWORD(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(FindError(self, u"#2x", RT_RCDATA), DWORD(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(FindError(self, u"#65736", RT_RCDATA), DWORD(ERROR_INVALID_PARAMETER));

    // A handle that is no resource record of the module is refused.
    HRSRC hiRes = FindResourceW(self, u"HI_RES_AWARE", u"CEUX");
    HRSRC inside = reinterpret_cast<HRSRC>(reinterpret_cast<BYTE*>(hiRes) + 4);
    for (HRSRC bad : {HRSRC(nullptr), inside}) {
        SetLastError(kSentinel);
        EXPECT_EQ(LoadResource(self, bad), nullptr);
        EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
        EXPECT_EQ(SizeofResource(self, bad), 0u);
    }

    SetLastError(kSentinel);
    EXPECT_EQ(GetModuleHandleW(u"unknown.dll"), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_MOD_NOT_FOUND));
}

TEST(Resources, LoadStringCopiesTruncatesOrPointsInPlace)
{
    HINSTANCE self = GetModuleHandleW(nullptr);
    EXPECT_EQ(StringOf(self, IDS_GREETING), u"Hello, device");
    EXPECT_EQ(StringOf(nullptr, IDS_LAST_OF_FIRST_BLOCK), u"Fifteen");
    EXPECT_EQ(StringOf(self, IDS_FIRST_OF_SECOND_BLOCK), u"Sixteen");
    EXPECT_EQ(StringOf(self, IDS_ACCENTED), u"Größe €");
    // Only the low 16 bits of the identifier count.
    EXPECT_EQ(StringOf(self, 0x10000 + IDS_GREETING), u"Hello, device");

    WCHAR buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(LoadStringW(self, IDS_GREETING, buffer, 4), 3);
    EXPECT_EQ(std::u16string(buffer, 5), std::u16string(u"Hel\0#", 5));
    EXPECT_EQ(LoadStringW(self, IDS_GREETING, buffer, 1), 0);
    EXPECT_EQ(buffer[0], 0);

    // No room at all: a read-only pointer to the unterminated text.
    LPCWSTR inPlace = nullptr;
    EXPECT_EQ(LoadStringW(self, IDS_FIRST_OF_SECOND_BLOCK, reinterpret_cast<LPWSTR>(&inPlace), 0), 7);
    ASSERT_NE(inPlace, nullptr);
    EXPECT_EQ(std::u16string(inPlace, 7), u"Sixteen");

    for (UINT missing : {IDS_MISSING_IN_BLOCK, IDS_UNKNOWN_BLOCK}) {
        buffer[0] = u'#';
        SetLastError(kSentinel);
        EXPECT_EQ(LoadStringW(self, missing, buffer, 8), 0);
        EXPECT_EQ(buffer[0], 0);
        EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
    }
    SetLastError(kSentinel);
    EXPECT_EQ(LoadStringW(self, IDS_GREETING, nullptr, 8), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}

TEST(Resources, LibraryAnswersFromItsOwnResources)
{
    void* library = dlopen(RESOURCE_TEST_MODULE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    HMODULE module = static_cast<HMODULE>(library);
    EXPECT_EQ(StringOf(module, IDS_GREETING), u"Hello from the library");
    EXPECT_EQ(BytesOf(module, FindResourceW(module, MAKEINTRESOURCEW(IDR_BYTES), RT_RCDATA)), "lib");
    EXPECT_EQ(FindError(module, u"HI_RES_AWARE", u"CEUX"), DWORD(ERROR_RESOURCE_TYPE_NOT_FOUND));
    EXPECT_EQ(StringOf(nullptr, IDS_GREETING), u"Hello, device");
    dlclose(library);

    // A library built without a resource script has none.
    void* plain = dlopen("libm.so.6", RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(plain, nullptr) << dlerror();
    EXPECT_EQ(FindError(static_cast<HMODULE>(plain), MAKEINTRESOURCEW(1), RT_RCDATA),
              DWORD(ERROR_RESOURCE_DATA_NOT_FOUND));
    dlclose(plain);
}

std::vector<platform::ResourceEntry> Walk(std::span<const BYTE> image)
{
    std::vector<platform::ResourceEntry> entries;
    platform::ResourceReader reader(image);
    while (std::optional<platform::ResourceEntry> entry = reader.Next())
        entries.push_back(std::move(*entry));
    return entries;
}

TEST(ResourceReader, RecordsCarryTypeNameAndLanguage)
{
    std::vector<platform::ResourceEntry> all = Walk(platform::ModuleResourceImage(GetModuleHandleW(nullptr)));
    ASSERT_FALSE(all.empty());
    const platform::ResourceEntry& hiRes = all.front();
    EXPECT_FALSE(hiRes.type.isOrdinal);
    EXPECT_EQ(hiRes.type.text, u"CEUX");
    EXPECT_FALSE(hiRes.name.isOrdinal);
    EXPECT_EQ(hiRes.name.text, u"HI_RES_AWARE");
    EXPECT_EQ(hiRes.language, 1033);
    EXPECT_EQ(hiRes.data.size(), 2u);

    const platform::ResourceEntry& bytes = all.back();
    EXPECT_TRUE(bytes.type.isOrdinal);
    EXPECT_EQ(bytes.type.ordinal, 10);
    EXPECT_TRUE(bytes.name.isOrdinal);
    EXPECT_EQ(bytes.name.ordinal, IDR_BYTES);
}

// Cutting the image anywhere keeps the records that still fit whole and
// drops the rest; nothing is read beyond the cut.
TEST(ResourceReader, TruncatedImageKeepsTheWholeRecords)
{
    std::span<const BYTE> image = platform::ModuleResourceImage(GetModuleHandleW(nullptr));
    std::vector<platform::ResourceEntry> all = Walk(image);
    ASSERT_EQ(all.size(), 5u);  // CEUX, two string blocks, two RCDATA

    EXPECT_FALSE(platform::ResourceReader(image.first(31)).IsResourceFile());
    for (size_t cut = 32; cut < image.size(); ++cut) {
        std::vector<BYTE> copy(image.begin(), image.begin() + cut);
        std::vector<platform::ResourceEntry> kept = Walk(copy);
        size_t whole = 0;
        while (whole < all.size() && all[whole].data.data() + all[whole].data.size() <= image.data() + cut)
            ++whole;
        ASSERT_EQ(kept.size(), whole) << "cut at " << cut;
        for (size_t i = 0; i < kept.size(); ++i)
            EXPECT_EQ(kept[i].record - copy.data(), all[i].record - image.data());
    }
}

TEST(ResourceReader, DamagedHeadersEndTheWalk)
{
    std::span<const BYTE> image = platform::ModuleResourceImage(GetModuleHandleW(nullptr));
    std::vector<platform::ResourceEntry> all = Walk(image);
    std::vector<BYTE> copy(image.begin(), image.end());
    size_t second = all[1].record - image.data();

    // A header size too small for the names, then one past the image.
    for (DWORD headerSize : {DWORD(12), DWORD(image.size())}) {
        std::memcpy(copy.data() + second + 4, &headerSize, sizeof headerSize);
        EXPECT_EQ(Walk(copy).size(), 1u) << headerSize;
    }

    // Without the opening empty entry this is no .res image.
    std::vector<BYTE> noMarker(image.begin() + 32, image.end());
    EXPECT_FALSE(platform::ResourceReader(noMarker).IsResourceFile());
    EXPECT_TRUE(Walk(noMarker).empty());

    const BYTE shortBlock[] = {1, 0, 'A', 0, 2, 0, 'B', 0};
    EXPECT_EQ(platform::StringInBlock(shortBlock, 0)->length, 1);
    EXPECT_FALSE(platform::StringInBlock(shortBlock, 1));
    EXPECT_FALSE(platform::StringInBlock(shortBlock, 2));
    EXPECT_FALSE(platform::StringInBlock(shortBlock, platform::kStringsPerBlock));
}

}  // namespace
