// Device status queries and shell folders, answered from the device
// server's figures.
#include <cstring>
#include <string_view>

#include "ce/errors.h"
#include "ce/files.h"
#include "ce/status.h"
#include "device_services.h"
#include "shlobj.h"

namespace {

// Each process may address 32 MB of virtual memory on CE 4 and 5.
constexpr DWORD kProcessVirtualBytes = 32 * 1024 * 1024;

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

char16_t FoldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

// "\Storage Card" itself or anything below it, in any case.
bool IsOnStorageCard(LPCWSTR path)
{
    constexpr std::u16string_view kCard = u"storage card";
    if (!IsSeparator(path[0]))
        return false;
    ++path;
    for (char16_t c : kCard) {
        if (FoldAscii(*path) != c)
            return false;
        ++path;
    }
    return *path == 0 || IsSeparator(*path);
}

void Store(PULARGE_INTEGER out, ULONGLONG value)
{
    if (out)
        out->QuadPart = value;
}

std::u16string_view SpecialFolder(int folder)
{
    switch (folder) {
    case CSIDL_APPDATA: return u"\\Application Data";
    case CSIDL_PROGRAMS: return u"\\Windows\\Start Menu\\Programs";
    case CSIDL_STARTMENU: return u"\\Windows\\Start Menu";
    case CSIDL_STARTUP: return u"\\Windows\\StartUp";
    case CSIDL_DESKTOPDIRECTORY: return u"\\Windows\\Desktop";
    case CSIDL_FONTS: return u"\\Windows\\Fonts";
    case CSIDL_WINDOWS: return u"\\Windows";
    case CSIDL_PROGRAM_FILES: return u"\\Program Files";
    case CSIDL_PERSONAL: return u"\\My Documents";
    default: return {};
    }
}

// Creates the folder and any missing parents.
bool CreateFolderPath(std::u16string_view path)
{
    for (size_t end = 1; end <= path.size(); ++end) {
        if (end < path.size() && path[end] != u'\\')
            continue;
        std::u16string prefix(path.substr(0, end));
        if (!CreateDirectoryW(prefix.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    return true;
}

}  // namespace

BOOL GetVersionExW(LPOSVERSIONINFOW lpVersionInformation)
{
    if (!lpVersionInformation || lpVersionInformation->dwOSVersionInfoSize < sizeof(OSVERSIONINFOW)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    platform::DeviceStatus status = platform::Server().Status();
    lpVersionInformation->dwMajorVersion = status.osMajor;
    lpVersionInformation->dwMinorVersion = status.osMinor;
    lpVersionInformation->dwBuildNumber = status.osBuild;
    lpVersionInformation->dwPlatformId = VER_PLATFORM_WIN32_CE;
    std::memset(lpVersionInformation->szCSDVersion, 0, sizeof lpVersionInformation->szCSDVersion);
    return TRUE;
}

DWORD GetSystemPowerStatusEx2(PSYSTEM_POWER_STATUS_EX2 pSystemPowerStatusEx2, DWORD dwLen, BOOL fUpdate)
{
    if (!pSystemPowerStatusEx2 || dwLen < sizeof(SYSTEM_POWER_STATUS_EX2))
        return 0;
    platform::DeviceStatus status = platform::Server().Status();
    SYSTEM_POWER_STATUS_EX2 power;
    std::memset(&power, 0, sizeof power);
    power.ACLineStatus = status.acLineStatus;
    power.BatteryFlag = status.mainFlag;
    power.BatteryLifePercent = status.mainPercent;
    power.BatteryLifeTime = BATTERY_LIFE_UNKNOWN;
    power.BatteryFullLifeTime = BATTERY_LIFE_UNKNOWN;
    power.BackupBatteryFlag = status.backupFlag;
    power.BackupBatteryLifePercent = status.backupPercent;
    power.BackupBatteryLifeTime = BATTERY_LIFE_UNKNOWN;
    power.BackupBatteryFullLifeTime = BATTERY_LIFE_UNKNOWN;
    *pSystemPowerStatusEx2 = power;
    return sizeof(SYSTEM_POWER_STATUS_EX2);
}

void GlobalMemoryStatus(LPMEMORYSTATUS lpBuffer)
{
    if (!lpBuffer)
        return;
    platform::DeviceStatus status = platform::Server().Status();
    DWORD total = status.memoryTotal;
    DWORD available = status.memoryAvailable < total ? status.memoryAvailable : total;
    lpBuffer->dwLength = sizeof(MEMORYSTATUS);
    lpBuffer->dwMemoryLoad = total ? static_cast<DWORD>(uint64_t(total - available) * 100 / total) : 0;
    lpBuffer->dwTotalPhys = total;
    lpBuffer->dwAvailPhys = available;
    // CE has no page file.
    lpBuffer->dwTotalPageFile = 0;
    lpBuffer->dwAvailPageFile = 0;
    lpBuffer->dwTotalVirtual = kProcessVirtualBytes;
    // FIXME: without a model of the process's own allocations the whole
    // slot is reported free.
    lpBuffer->dwAvailVirtual = kProcessVirtualBytes;
}

BOOL GetStoreInformation(LPSTORE_INFORMATION lpsi)
{
    if (!lpsi) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    platform::DeviceStatus status = platform::Server().Status();
    lpsi->dwStoreSize = status.storeSize;
    lpsi->dwFreeSize = status.storeFree;
    return TRUE;
}

BOOL GetDiskFreeSpaceExW(LPCWSTR lpDirectoryName, PULARGE_INTEGER lpFreeBytesAvailableToCaller,
                         PULARGE_INTEGER lpTotalNumberOfBytes, PULARGE_INTEGER lpTotalNumberOfFreeBytes)
{
    platform::DeviceStatus status = platform::Server().Status();
    ULONGLONG total = status.appDataTotal;
    ULONGLONG free = status.appDataFree;
    if (lpDirectoryName && IsOnStorageCard(lpDirectoryName)) {
        if (!status.cardPresent) {
            SetLastError(ERROR_PATH_NOT_FOUND);
            return FALSE;
        }
        total = status.cardTotal;
        free = status.cardFree;
    }
    // No quotas on the device: the caller may use all free space.
    Store(lpFreeBytesAvailableToCaller, free);
    Store(lpTotalNumberOfBytes, total);
    Store(lpTotalNumberOfFreeBytes, free);
    return TRUE;
}

int GetLocaleInfoW(LCID Locale, LCTYPE LCType, LPWSTR lpLCData, int cchData)
{
    if (Locale != 0 && Locale != LOCALE_USER_DEFAULT && Locale != LOCALE_SYSTEM_DEFAULT) {
        // FIXME: only the device's own locale is known.
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (cchData < 0 || (cchData > 0 && !lpLCData)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    platform::DeviceStatus status = platform::Server().Status();
    char16_t separator = 0;
    if (LCType == LOCALE_SDECIMAL) {
        separator = status.decimalSeparator;
    } else if (LCType == LOCALE_STHOUSAND) {
        separator = status.thousandsSeparator;
    } else {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    const int needed = 2;
    if (cchData == 0)
        return needed;
    if (cchData < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    lpLCData[0] = separator;
    lpLCData[1] = 0;
    return needed;
}

BOOL SHGetSpecialFolderPath(HWND hwndOwner, LPWSTR lpszPath, int nFolder, BOOL fCreate)
{
    std::u16string_view folder = SpecialFolder(nFolder);
    if (!lpszPath || folder.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (fCreate && !CreateFolderPath(folder))
        return FALSE;
    folder.copy(lpszPath, folder.size());
    lpszPath[folder.size()] = 0;
    return TRUE;
}
