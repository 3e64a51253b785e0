#include "setup/desktop/uninstall_entry.h"

#include <windows.h>

#include "setup/desktop/install_paths.h"

namespace {

const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// A value that does not take is left out; the entry still stands.
void SetString(HKEY key, const char* name, const std::string& value)
{
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}

}  // namespace

bool WriteUninstallEntry(const std::string& productName, const std::string& installDirectory)
{
    HKEY uninstall = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_CREATE_SUB_KEY | KEY_QUERY_VALUE, &uninstall) !=
        ERROR_SUCCESS)
        return false;
    HKEY product = nullptr;
    DWORD disposition = 0;
    LONG created = RegCreateKeyExA(uninstall, productName.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                                   nullptr, &product, &disposition);
    RegCloseKey(uninstall);
    if (created != ERROR_SUCCESS)
        return false;
    SetString(product, "DisplayName", productName);
    SetString(product, "UninstallString", UninstallString(installDirectory, productName));
    RegCloseKey(product);
    return true;
}
