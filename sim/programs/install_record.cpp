#include "install_record.h"

#include <windows.h>

#include "device_file.h"
#include "text_convert.h"

namespace {

const WCHAR kAppsKey[] = TEXT("Software\\Apps");
const WCHAR kRecordFolder[] = TEXT("\\Windows\\AppMgr");

void AddLine(std::string& text, const char* key, std::u16string_view value)
{
    text += key;
    text += '=';
    text += platform::Utf8FromUtf16(value);
    text += '\n';
}

std::u16string AppKey(std::u16string_view app) { return std::u16string(kAppsKey) + u"\\" + std::u16string(app); }

// Records are small; anything past this is not one.
constexpr DWORD kMaxRecordBytes = 1 << 20;

std::optional<std::u16string> ReadString(HKEY key, const WCHAR* name)
{
    WCHAR value[MAX_PATH] = {};
    DWORD type = 0;
    DWORD size = sizeof(value) - sizeof(WCHAR);
    if (RegQueryValueExW(key, name, NULL, &type, (BYTE*)value, &size) != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    return std::u16string(value);
}

}  // namespace

std::u16string InstallRecordPath(std::u16string_view app)
{
    return std::u16string(kRecordFolder) + u"\\" + std::u16string(app) + u".rec";
}

std::string FormatInstallRecord(const InstallRecord& record)
{
    std::string text;
    AddLine(text, "app", record.app);
    AddLine(text, "dir", record.dir);
    if (!record.setup.empty())
        AddLine(text, "setup", record.setup);
    for (const std::u16string& folder : record.folders)
        AddLine(text, "folder", folder);
    for (const std::u16string& file : record.files)
        AddLine(text, "file", file);
    for (const std::u16string& link : record.links)
        AddLine(text, "link", link);
    return text;
}

std::optional<InstallRecord> ParseInstallRecord(std::string_view text)
{
    InstallRecord record;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty())
            continue;
        size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            return std::nullopt;
        std::string_view key = line.substr(0, equals);
        std::u16string value = platform::Utf16FromUtf8(line.substr(equals + 1));
        if (key == "app")
            record.app = value;
        else if (key == "dir")
            record.dir = value;
        else if (key == "setup")
            record.setup = value;
        else if (key == "folder")
            record.folders.push_back(value);
        else if (key == "file")
            record.files.push_back(value);
        else if (key == "link")
            record.links.push_back(value);
    }
    if (record.app.empty() || record.dir.empty())
        return std::nullopt;
    return record;
}

bool SaveInstallRecord(const InstallRecord& record)
{
    CreateDirectoryW(kRecordFolder, NULL);
    std::u16string path = InstallRecordPath(record.app);
    std::string text = FormatInstallRecord(record);
    if (!WriteDeviceFile(path, text.data(), text.size()))
        return false;
    HKEY key = NULL;
    DWORD disposition = 0;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, AppKey(record.app).c_str(), 0, NULL, 0, 0, NULL, &key, &disposition) !=
        ERROR_SUCCESS)
        return false;
    DWORD installed = 1;
    bool ok = RegSetValueExW(key, TEXT("Instl"), 0, REG_DWORD, (const BYTE*)&installed, sizeof(installed)) ==
                  ERROR_SUCCESS &&
              RegSetValueExW(key, TEXT("InstlDir"), 0, REG_SZ, (const BYTE*)record.dir.c_str(),
                             (DWORD)((record.dir.size() + 1) * sizeof(WCHAR))) == ERROR_SUCCESS &&
              RegSetValueExW(key, TEXT("Record"), 0, REG_SZ, (const BYTE*)path.c_str(),
                             (DWORD)((path.size() + 1) * sizeof(WCHAR))) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

std::optional<InstallRecord> LoadInstallRecord(std::u16string_view app)
{
    HKEY key = NULL;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, AppKey(app).c_str(), 0, 0, &key) != ERROR_SUCCESS)
        return std::nullopt;
    std::optional<std::u16string> path = ReadString(key, TEXT("Record"));
    RegCloseKey(key);
    if (!path)
        return std::nullopt;
    std::optional<std::string> text = ReadDeviceFile(*path, kMaxRecordBytes);
    if (!text)
        return std::nullopt;
    std::optional<InstallRecord> record = ParseInstallRecord(*text);
    // A record file of another application is not this one's.
    if (record && _wcsicmp(record->app.c_str(), std::u16string(app).c_str()) == 0)
        return record;
    return std::nullopt;
}

void DropInstallRecord(std::u16string_view app)
{
    DeleteFileW(InstallRecordPath(app).c_str());
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, AppKey(app).c_str());
}
