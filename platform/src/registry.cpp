// The registry API over the device server's registry.
//
// HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER stand for the server's root ids;
// any other HKEY carries a server key id as its pointer value. The other
// predefined roots are not part of the device and answer
// ERROR_INVALID_HANDLE. As on Windows, these calls answer their error code
// and leave the last error alone.
//
// Each successful change is written to the event log:
//   reg-set key="HKEY_LOCAL_MACHINE\\Software\\X" value="Name" type=4 data=42
//   reg-delete key="..." value="..."      reg-delete key="..."
// REG_SZ data is the quoted text up to its first NUL, a 4-byte REG_DWORD
// its decimal number, anything else its bytes as lowercase hex pairs.
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "ce/errors.h"
#include "ce/registry.h"
#include "device_services.h"
#include "server/event_log.h"

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

std::string LogData(DWORD type, std::span<const BYTE> data)
{
    if (type == REG_SZ) {
        std::u16string text;
        for (size_t i = 0; i + 1 < data.size(); i += 2) {
            char16_t c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
            if (c == 0)
                break;
            text += c;
        }
        return sim::QuoteLogText(text);
    }
    if (type == REG_DWORD && data.size() == 4)
        return std::to_string(data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<DWORD>(data[3]) << 24));
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (BYTE b : data) {
        hex += kDigits[b >> 4];
        hex += kDigits[b & 0xF];
    }
    return hex;
}

void LogSet(RegKeyId key, std::u16string_view name, DWORD type, std::span<const BYTE> data)
{
    platform::Server().LogEvent("reg-set key=" + sim::QuoteLogText(Registry().PathOf(key)) +
                                " value=" + sim::QuoteLogText(name) + " type=" + std::to_string(type) +
                                " data=" + LogData(type, data));
}

// The full path of the key that path names below parent; empty when there
// is none.
std::u16string PathBelow(RegKeyId parent, std::u16string_view path)
{
    RegKeyId key = kNoKey;
    if (Registry().OpenKey(parent, path, key) != ERROR_SUCCESS)
        return {};
    std::u16string full = Registry().PathOf(key);
    Registry().CloseKey(key);
    return full;
}

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
    LONG result = Registry().SetValue(key, TextOf(lpValueName), dwType, data);
    if (result == ERROR_SUCCESS)
        LogSet(key, TextOf(lpValueName), dwType, data);
    return result;
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
    RegKeyId key = KeyIdOf(hKey);
    LONG result = Registry().DeleteValue(key, TextOf(lpValueName));
    if (result == ERROR_SUCCESS)
        platform::Server().LogEvent("reg-delete key=" + sim::QuoteLogText(Registry().PathOf(key)) +
                                    " value=" + sim::QuoteLogText(TextOf(lpValueName)));
    return result;
}

LONG RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey)
{
    if (lpSubKey == nullptr)
        return ERROR_INVALID_PARAMETER;
    RegKeyId parent = KeyIdOf(hKey);
    // The path is taken first: once the key is gone its spelling is too.
    std::u16string path = PathBelow(parent, lpSubKey);
    LONG result = Registry().DeleteKey(parent, lpSubKey);
    if (result == ERROR_SUCCESS)
        platform::Server().LogEvent("reg-delete key=" + sim::QuoteLogText(path));
    return result;
}

LONG RegCloseKey(HKEY hKey)
{
    RegKeyId key = KeyIdOf(hKey);
    if (key == kNoKey)
        return ERROR_INVALID_HANDLE;
    return Registry().CloseKey(key);
}
