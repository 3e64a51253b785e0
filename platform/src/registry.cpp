// The registry API over the device server's registry.
//
// HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER stand for the server's root ids;
// any other HKEY carries a server key id as its pointer value. The other
// predefined roots are not part of the device and answer
// ERROR_INVALID_HANDLE. As on Windows, these calls answer their error code
// and leave the last error alone.
//
// The server writes each successful change to the event log.
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "ce/errors.h"
#include "ce/registry.h"
#include "device_services.h"

namespace {

using platform::RegKeyId;

// The server never gives out id 0.
constexpr RegKeyId kNoKey = 0;

platform::RegistryService& Registry() { return platform::Server().Registry(); }

RegKeyId KeyIdOf(HKEY key)
{
    if (key == HKEY_LOCAL_MACHINE)
        return platform::kRegRootLocalMachine;
    if (key == HKEY_CURRENT_USER)
        return platform::kRegRootCurrentUser;
    uintptr_t value = reinterpret_cast<uintptr_t>(key);
    // The root ids are reached only through their predefined handles.
    if (value <= platform::kRegRootCurrentUser || value > UINT32_MAX)
        return kNoKey;
    return static_cast<RegKeyId>(value);
}

HKEY HandleOf(RegKeyId key) { return reinterpret_cast<HKEY>(static_cast<uintptr_t>(key)); }

std::u16string_view TextOf(LPCWSTR text) { return text ? std::u16string_view(text) : std::u16string_view(); }

}  // namespace

LONG RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult)
{
    if (phkResult == nullptr)
        return ERROR_INVALID_PARAMETER;
    RegKeyId key = kNoKey;
    LONG result = Registry().OpenKey(KeyIdOf(hKey), TextOf(lpSubKey), key);
    if (result == ERROR_SUCCESS)
        *phkResult = HandleOf(key);
    return result;
}

LONG RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD Reserved, LPWSTR lpClass, DWORD dwOptions,
                     REGSAM samDesired, LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                     LPDWORD lpdwDisposition)
{
    if (lpSubKey == nullptr || phkResult == nullptr)
        return ERROR_INVALID_PARAMETER;
    RegKeyId key = kNoKey;
    bool created = false;
    LONG result = Registry().CreateKey(KeyIdOf(hKey), lpSubKey, key, created);
    if (result != ERROR_SUCCESS)
        return result;
    *phkResult = HandleOf(key);
    if (lpdwDisposition != nullptr)
        *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

LONG RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                    DWORD cbData)
{
    if (lpData == nullptr && cbData != 0)
        return ERROR_INVALID_PARAMETER;
    RegKeyId key = KeyIdOf(hKey);
    std::span<const BYTE> data(lpData, lpData ? cbData : 0);
    return Registry().SetValue(key, TextOf(lpValueName), dwType, data);
}

// A buffer that is too small gets ERROR_MORE_DATA, the size it needs, and
// none of the data: a caller never sees a cut-off value.
LONG RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                      LPDWORD lpcbData)
{
    if (lpReserved != nullptr || (lpData != nullptr && lpcbData == nullptr))
        return ERROR_INVALID_PARAMETER;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    LONG result = Registry().QueryValue(KeyIdOf(hKey), TextOf(lpValueName), type, data);
    if (result != ERROR_SUCCESS)
        return result;
    if (lpType != nullptr)
        *lpType = type;
    if (lpcbData == nullptr)
        return ERROR_SUCCESS;
    DWORD size = static_cast<DWORD>(data.size());
    bool fits = *lpcbData >= size;
    *lpcbData = size;
    if (lpData == nullptr)
        return ERROR_SUCCESS;
    if (!fits)
        return ERROR_MORE_DATA;
    if (size != 0)
        std::memcpy(lpData, data.data(), size);
    return ERROR_SUCCESS;
}

LONG RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName)
{
    return Registry().DeleteValue(KeyIdOf(hKey), TextOf(lpValueName));
}

LONG RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey)
{
    if (lpSubKey == nullptr)
        return ERROR_INVALID_PARAMETER;
    return Registry().DeleteKey(KeyIdOf(hKey), lpSubKey);
}

LONG RegCloseKey(HKEY hKey)
{
    RegKeyId key = KeyIdOf(hKey);
    if (key == kNoKey)
        return ERROR_INVALID_HANDLE;
    return Registry().CloseKey(key);
}

// lpcName counts characters: the buffer's, terminator included, on the way
// in; the name's, without it, on the way out. A name that does not fit is
// ERROR_MORE_DATA and nothing is copied. Keys have no class or write time
// on the device: those outputs come back empty.
LONG RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, LPDWORD lpcName, LPDWORD lpReserved, LPWSTR lpClass,
                   LPDWORD lpcClass, PFILETIME lpftLastWriteTime)
{
    if (lpName == nullptr || lpcName == nullptr || lpReserved != nullptr)
        return ERROR_INVALID_PARAMETER;
    std::u16string name;
    LONG result = Registry().EnumKey(KeyIdOf(hKey), dwIndex, name);
    if (result != ERROR_SUCCESS)
        return result;
    if (*lpcName <= name.size())
        return ERROR_MORE_DATA;
    std::memcpy(lpName, name.c_str(), (name.size() + 1) * sizeof(WCHAR));
    *lpcName = static_cast<DWORD>(name.size());
    if (lpClass != nullptr && lpcClass != nullptr && *lpcClass > 0) {
        lpClass[0] = 0;
        *lpcClass = 0;
    }
    if (lpftLastWriteTime != nullptr)
        *lpftLastWriteTime = FILETIME{};
    return ERROR_SUCCESS;
}
