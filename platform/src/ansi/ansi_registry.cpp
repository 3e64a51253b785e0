// Registry calls of desktop programs with 8-bit text. String values live
// as 16-bit text; the 8-bit forms convert them on the way in and out.
#include <cstring>
#include <string>
#include <vector>

#include "ansi/ansi_text.h"
#include "ce/errors.h"
#include "ce/registry.h"
#include "text_convert.h"

using platform::AnsiArgument;

namespace {

bool IsText(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

}  // namespace

LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult)
{
    AnsiArgument subKey(lpSubKey);
    return RegOpenKeyExW(hKey, subKey.get(), ulOptions, samDesired, phkResult);
}

LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions, REGSAM samDesired,
                     LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult, LPDWORD lpdwDisposition)
{
    AnsiArgument subKey(lpSubKey);
    AnsiArgument keyClass(lpClass);
    return RegCreateKeyExW(hKey, subKey.get(), Reserved, const_cast<LPWSTR>(keyClass.get()), dwOptions, samDesired,
                           lpSecurityAttributes, phkResult, lpdwDisposition);
}

LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData, DWORD cbData)
{
    AnsiArgument name(lpValueName);
    if (!IsText(dwType) || !lpData)
        return RegSetValueExW(hKey, name.get(), Reserved, dwType, lpData, cbData);
    std::u16string wide = platform::WideFromCp1252(std::string_view(reinterpret_cast<const char*>(lpData), cbData));
    return RegSetValueExW(hKey, name.get(), Reserved, dwType, reinterpret_cast<const BYTE*>(wide.data()),
                          static_cast<DWORD>(wide.size() * sizeof(char16_t)));
}

// The size asked for and answered is in 8-bit characters for text values:
// ERROR_MORE_DATA with the size needed when the buffer is too small.
LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                      LPDWORD lpcbData)
{
    AnsiArgument name(lpValueName);
    DWORD type = REG_NONE;
    DWORD size = 0;
    LONG result = RegQueryValueExW(hKey, name.get(), lpReserved, &type, nullptr, &size);
    if (result != ERROR_SUCCESS)
        return result;
    if (lpType)
        *lpType = type;
    if (!IsText(type))
        return RegQueryValueExW(hKey, name.get(), lpReserved, nullptr, lpData, lpcbData);

    std::vector<BYTE> bytes(size);
    result = RegQueryValueExW(hKey, name.get(), lpReserved, nullptr, bytes.data(), &size);
    if (result != ERROR_SUCCESS)
        return result;
    std::u16string wide(size / sizeof(char16_t), u'\0');
    std::memcpy(wide.data(), bytes.data(), wide.size() * sizeof(char16_t));
    std::string narrow = platform::Cp1252FromWide(wide);
    if (!lpcbData)
        return lpData ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
    DWORD capacity = *lpcbData;
    *lpcbData = static_cast<DWORD>(narrow.size());
    if (!lpData)
        return ERROR_SUCCESS;
    if (capacity < narrow.size())
        return ERROR_MORE_DATA;
    std::memcpy(lpData, narrow.data(), narrow.size());
    return ERROR_SUCCESS;
}

LONG RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey)
{
    AnsiArgument subKey(lpSubKey);
    return RegDeleteKeyW(hKey, subKey.get());
}
