// MoveFileEx: a move now, or one the machine does at its next start. The
// deferred ones are kept where Windows keeps them, in the session
// manager's PendingFileRenameOperations: pairs of "\??\" names, an empty
// second name for a delete.
#include <string>

#include "ce/errors.h"
#include "ce/files.h"
#include "ce/registry.h"

namespace {

const WCHAR kSessionManagerKey[] = u"SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const WCHAR kPendingValue[] = u"PendingFileRenameOperations";
const char16_t kNtPrefix[] = u"\\??\\";

// The value's strings without the list's final terminator.
std::u16string PendingList(HKEY key)
{
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExW(key, kPendingValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_MULTI_SZ || size < sizeof(WCHAR))
        return std::u16string();
    std::u16string list(size / sizeof(WCHAR), u'\0');
    if (RegQueryValueExW(key, kPendingValue, nullptr, &type, reinterpret_cast<BYTE*>(list.data()), &size) !=
        ERROR_SUCCESS)
        return std::u16string();
    list.resize(size / sizeof(WCHAR));
    // Each string keeps its terminator (a delete's empty second name is a
    // lone one); only the extra terminator that ends the list goes.
    if (list.size() >= 2 && list[list.size() - 1] == u'\0' && list[list.size() - 2] == u'\0')
        list.pop_back();
    if (!list.empty() && list.back() != u'\0')
        list.push_back(u'\0');
    return list;
}

BOOL DeferMove(LPCWSTR existing, LPCWSTR newName)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSessionManagerKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        nullptr, &key, &disposition) != ERROR_SUCCESS) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    std::u16string list = PendingList(key);
    list += kNtPrefix;
    list += existing;
    list.push_back(u'\0');
    if (newName && *newName) {
        list += kNtPrefix;
        list += newName;
    }
    list.push_back(u'\0');
    list.push_back(u'\0');
    LONG stored = RegSetValueExW(key, kPendingValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(list.data()),
                                 static_cast<DWORD>(list.size() * sizeof(WCHAR)));
    RegCloseKey(key);
    if (stored != ERROR_SUCCESS) {
        SetLastError(static_cast<DWORD>(stored));
        return FALSE;
    }
    return TRUE;
}

}  // namespace

BOOL MoveFileExW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, DWORD dwFlags)
{
    if (!lpExistingFileName || !*lpExistingFileName ||
        (dwFlags & ~(MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT)) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (dwFlags & MOVEFILE_DELAY_UNTIL_REBOOT)
        return DeferMove(lpExistingFileName, lpNewFileName);
    // Without a new name only a deferred delete is meaningful.
    if (!lpNewFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if ((dwFlags & MOVEFILE_REPLACE_EXISTING) && GetFileAttributesW(lpNewFileName) != INVALID_FILE_ATTRIBUTES &&
        !DeleteFileW(lpNewFileName))
        return FALSE;
    return MoveFileW(lpExistingFileName, lpNewFileName);
}
