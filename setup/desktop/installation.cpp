#include "setup/desktop/installation.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <optional>
#include <string>

#include "setup/desktop/install_paths.h"
#include "setup/desktop/payload_files.h"
#include "setup/desktop/program_resources.h"
#include "setup/desktop/resource_ids.h"
#include "setup/desktop/uninstall_entry.h"

namespace {

const char kAppManagerKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\CEAPPMGR.EXE";

void ShowMessage(int textId, const std::string& caption, int language)
{
    MessageBoxA(nullptr, LoadMessage(textId, language).c_str(), caption.c_str(), MB_OK);
}

// The manager's default value, at most kMaxPath bytes; a longer one is
// no path the desktop could start.
std::optional<std::string> ReadAppManagerPath()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kAppManagerKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    char value[kMaxPath];
    DWORD size = sizeof(value);
    DWORD type = REG_NONE;
    LONG read = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    return AppManagerPathFromValue(value, size);
}

bool CreateInstallDirectory(const std::string& directory)
{
    return CreateDirectoryA(directory.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

int RunInstallation(int language)
{
    std::string setupCaption = LoadMessage(IDS_SETUP, language);
    std::optional<std::string> appManager = ReadAppManagerPath();
    std::optional<std::string> product = ResourceText(PRODUCT_TEXT_TYPE, PRODUCT_NAME);
    std::optional<std::string> directory =
        appManager && product ? InstallDirectory(*appManager, *product) : std::nullopt;
    if (!directory) {
        ShowMessage(IDS_NO_APP_MANAGER, setupCaption, language);
        return 0;
    }
    if (!CreateInstallDirectory(*directory)) {
        ShowMessage(IDS_NO_DIRECTORY, *directory, language);
        return 0;
    }
    ResourcePayloads payloads;
    DiskPayloads disk;
    if (!WritePayloads(*directory, payloads, disk)) {
        ShowMessage(IDS_WRITE_FAILED, *directory, language);
        return 0;
    }
    std::optional<std::string> iniName = ResourceText(PAYLOAD_NAME_TYPE, PAYLOAD_INI);
    if (!iniName) {
        ShowMessage(IDS_MISSING_INFO, setupCaption, language);
        return 0;
    }
    std::string argument = QuotedIniPath(*directory, *iniName);
    if (!WriteUninstallEntry(*product, *directory))
        ShowMessage(IDS_NO_UNINSTALL, setupCaption, language);

    // The shell forms the command line: the manager's path, a space, the
    // quoted INI path.
    HINSTANCE started = ShellExecuteA(nullptr, "open", appManager->c_str(), argument.c_str(), nullptr, SW_SHOW);
    return static_cast<int>(reinterpret_cast<intptr_t>(started));
}
