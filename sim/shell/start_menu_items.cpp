#include "start_menu_items.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <optional>

namespace shell {
namespace {

const WCHAR kShortcutPattern[] = TEXT("\\*.lnk");
const size_t kExtensionLength = 4;

// The file's bytes, up to one more than a shortcut may have, so that a
// larger file is seen as one and rejected without being read whole.
std::optional<std::string> ReadShortcutBytes(const std::u16string& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string bytes(kMaxShortcutFileSize + 1, '\0');
    DWORD read = 0;
    BOOL ok = ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, NULL);
    CloseHandle(file);
    if (!ok)
        return std::nullopt;
    bytes.resize(read);
    return bytes;
}

// One folder's shortcuts, sorted by name.
std::vector<StartMenuItem> ReadFolder(int folderId)
{
    std::vector<StartMenuItem> items;
    WCHAR folder[MAX_PATH];
    if (!SHGetSpecialFolderPath(NULL, folder, folderId, FALSE))
        return items;
    std::u16string pattern = std::u16string(folder) + kShortcutPattern;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return items;
    do {
        std::u16string name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name.size() <= kExtensionLength)
            continue;
        std::optional<std::string> bytes = ReadShortcutBytes(std::u16string(folder) + u"\\" + name);
        std::optional<Shortcut> shortcut = bytes ? ParseShortcut(*bytes) : std::nullopt;
        if (shortcut)
            items.push_back({name.substr(0, name.size() - kExtensionLength), *shortcut});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(items.begin(), items.end(), [](const StartMenuItem& a, const StartMenuItem& b) {
        return _wcsicmp(a.name.c_str(), b.name.c_str()) < 0;
    });
    return items;
}

}  // namespace

std::vector<StartMenuItem> ReadStartMenuItems()
{
    std::vector<StartMenuItem> items = ReadFolder(CSIDL_PROGRAMS);
    std::vector<StartMenuItem> startMenu = ReadFolder(CSIDL_STARTMENU);
    items.insert(items.end(), startMenu.begin(), startMenu.end());
    return items;
}

}  // namespace shell
