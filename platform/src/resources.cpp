// FindResourceW and friends over the .res image each module carries. An
// HRSRC is the address of the resource's record in that image, so it stays
// valid exactly as long as the module is loaded, as on the device.
#include "ce/resources.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "ce/crt.h"
#include "ce/errors.h"
#include "module_library.h"
#include "module_resources.h"
#include "resource_file.h"

namespace platform {
namespace {

// A type or name as the caller gives it: MAKEINTRESOURCE, "#123" (the same
// ordinal) or text, which matches without regard to case.
struct ResourceQuery {
    bool isOrdinal;
    WORD ordinal;
    LPCWSTR text;
};

std::optional<ResourceQuery> ParseQuery(LPCWSTR query)
{
    if (IS_INTRESOURCE(query))
        return ResourceQuery{true, LOWORD(query), nullptr};
    if (query[0] != u'#')
        return ResourceQuery{false, 0, query};
    DWORD value = 0;
    const WCHAR* digit = query + 1;
    for (; *digit >= u'0' && *digit <= u'9' && value <= 0xFFFF; ++digit)
        value = value * 10 + (*digit - u'0');
    if (digit == query + 1 || *digit != 0 || value > 0xFFFF)
        return std::nullopt;
    return ResourceQuery{true, static_cast<WORD>(value), nullptr};
}

bool Matches(const ResourceId& id, const ResourceQuery& query)
{
    if (query.isOrdinal)
        return id.isOrdinal && id.ordinal == query.ordinal;
    return !id.isOrdinal && _wcsicmp(id.text.c_str(), query.text) == 0;
}

HMODULE ModuleOrMain(HMODULE module) { return module ? module : MainModule(); }

// FIXME: when a resource exists in several languages the first in the file
// wins; the device would prefer the neutral one, then the user's language.
std::optional<ResourceEntry> FindEntry(HMODULE module, LPCWSTR name, LPCWSTR type)
{
    std::optional<ResourceQuery> nameQuery = ParseQuery(name);
    std::optional<ResourceQuery> typeQuery = ParseQuery(type);
    if (!nameQuery || !typeQuery) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return std::nullopt;
    }
    ResourceReader reader(ModuleResourceImage(ModuleOrMain(module)));
    if (!reader.IsResourceFile()) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return std::nullopt;
    }
    bool typeSeen = false;
    while (std::optional<ResourceEntry> entry = reader.Next()) {
        if (!Matches(entry->type, *typeQuery))
            continue;
        typeSeen = true;
        if (Matches(entry->name, *nameQuery))
            return entry;
    }
    SetLastError(typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return std::nullopt;
}

// The entry an HRSRC of this module stands for; anything else is not a
// handle the module gave out.
std::optional<ResourceEntry> EntryAt(HMODULE module, HRSRC resource)
{
    ResourceReader reader(ModuleResourceImage(ModuleOrMain(module)));
    while (resource) {
        std::optional<ResourceEntry> entry = reader.Next();
        if (!entry)
            break;
        if (entry->record == reinterpret_cast<const BYTE*>(resource))
            return entry;
    }
    SetLastError(ERROR_INVALID_HANDLE);
    return std::nullopt;
}

HRSRC HandleOf(const ResourceEntry& entry)
{
    return reinterpret_cast<HRSRC>(const_cast<BYTE*>(entry.record));
}

}  // namespace
}  // namespace platform

// Libraries are found by name only when LoadLibraryW loaded them.
HMODULE GetModuleHandleW(LPCWSTR lpModuleName)
{
    if (!lpModuleName)
        return platform::MainModule();
    HMODULE library = platform::FindLoadedLibrary(lpModuleName);
    if (!library)
        SetLastError(ERROR_MOD_NOT_FOUND);
    return library;
}

HRSRC FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType)
{
    std::optional<platform::ResourceEntry> entry = platform::FindEntry(hModule, lpName, lpType);
    return entry ? platform::HandleOf(*entry) : nullptr;
}

HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo)
{
    std::optional<platform::ResourceEntry> entry = platform::EntryAt(hModule, hResInfo);
    return entry ? const_cast<BYTE*>(entry->data.data()) : nullptr;
}

DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo)
{
    std::optional<platform::ResourceEntry> entry = platform::EntryAt(hModule, hResInfo);
    return entry ? static_cast<DWORD>(entry->data.size()) : 0;
}

// Loaded resources are part of the module's image and need no locking.
LPVOID LockResource(HGLOBAL hResData) { return hResData; }

// Strings live in blocks of sixteen: string n is entry n % 16 of the block
// named n / 16 + 1. An empty entry is a missing string.
int LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax)
{
    if (!lpBuffer || cchBufferMax < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WORD id = LOWORD(uID);
    std::optional<platform::ResourceEntry> block =
        platform::FindEntry(hInstance, MAKEINTRESOURCEW(id / platform::kStringsPerBlock + 1), RT_STRING);
    std::optional<platform::TableString> text;
    if (block)
        text = platform::StringInBlock(block->data, id % platform::kStringsPerBlock);
    // A compiled image keeps its strings on even offsets, so the caller may
    // read them in place; a block that breaks that is damaged.
    bool aligned = text && reinterpret_cast<uintptr_t>(text->chars) % alignof(WCHAR) == 0;
    if (!aligned || text->length == 0) {
        if (block)
            SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        if (cchBufferMax == 0)
            *reinterpret_cast<LPCWSTR*>(lpBuffer) = nullptr;
        else
            lpBuffer[0] = 0;
        return 0;
    }
    const WCHAR* chars = reinterpret_cast<const WCHAR*>(text->chars);
    if (cchBufferMax == 0) {
        *reinterpret_cast<LPCWSTR*>(lpBuffer) = chars;
        return text->length;
    }
    int copied = std::min<int>(text->length, cchBufferMax - 1);
    std::copy_n(chars, copied, lpBuffer);
    lpBuffer[copied] = 0;
    return copied;
}
