#include "today_items.h"

#include <todaycmn.h>

#include <algorithm>

namespace shell {
namespace {

const WCHAR kItemsKey[] = TEXT("Software\\Microsoft\\Today\\Items");
// Sub-key names are at most 255 characters.
const DWORD kMaxKeyName = 256;

DWORD ReadDword(HKEY key, LPCWSTR name)
{
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExW(key, name, NULL, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return 0;
    return value;
}

std::u16string ReadString(HKEY key, LPCWSTR name)
{
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, NULL, &type, NULL, &size) != ERROR_SUCCESS || type != REG_SZ)
        return std::u16string();
    std::u16string text(size / sizeof(WCHAR) + 1, u'\0');
    size = static_cast<DWORD>(text.size() * sizeof(WCHAR));
    if (RegQueryValueExW(key, name, NULL, &type, reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS)
        return std::u16string();
    text.resize(std::char_traits<char16_t>::length(text.c_str()));
    return text;
}

TodayItemEntry ReadEntry(HKEY items, const std::u16string& name)
{
    TodayItemEntry entry;
    entry.name = name;
    HKEY key = NULL;
    if (RegOpenKeyExW(items, name.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return entry;
    entry.dll = ReadString(key, TEXT("DLL"));
    entry.type = ReadDword(key, TEXT("Type"));
    entry.enabled = ReadDword(key, TEXT("Enabled"));
    entry.order = ReadDword(key, TEXT("Order"));
    entry.options = ReadDword(key, TEXT("Options"));
    entry.flags = ReadDword(key, TEXT("Flags"));
    entry.selectability = ReadDword(key, TEXT("Selectability"));
    RegCloseKey(key);
    return entry;
}

}  // namespace

std::vector<TodayItemEntry> ReadTodayItemEntries()
{
    std::vector<TodayItemEntry> entries;
    HKEY items = NULL;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kItemsKey, 0, KEY_READ, &items) != ERROR_SUCCESS)
        return entries;
    WCHAR name[kMaxKeyName];
    for (DWORD index = 0;; ++index) {
        DWORD length = kMaxKeyName;
        if (RegEnumKeyExW(items, index, name, &length, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        entries.push_back(ReadEntry(items, name));
    }
    RegCloseKey(items);
    std::stable_sort(entries.begin(), entries.end(), [](const TodayItemEntry& a, const TodayItemEntry& b) {
        return a.order != b.order ? a.order < b.order : _wcsicmp(a.name.c_str(), b.name.c_str()) < 0;
    });
    return entries;
}

bool IsHostedCustomItem(const TodayItemEntry& entry)
{
    return entry.type == tlitCustom && entry.enabled != 0;
}

}  // namespace shell
