#include "app_removal.h"

#include <ce_setup.h>
#include <windows.h>

#include <algorithm>
#include <vector>

#include "device_services.h"
#include "install_record.h"
#include "server/event_log.h"

namespace {

// The setup library runs from a copy beside the records: it is one of the
// files to delete, and a loaded library cannot be.
std::u16string SetupCopyPath(const std::u16string& app) { return u"\\Windows\\AppMgr\\" + app + u" setup.dll"; }

bool CopyWholeFile(const std::u16string& from, const std::u16string& to)
{
    HANDLE in = CreateFileW(from.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (in == INVALID_HANDLE_VALUE)
        return false;
    HANDLE out = CreateFileW(to.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    bool ok = out != INVALID_HANDLE_VALUE;
    char buffer[16384];
    DWORD read = 0;
    while (ok && ReadFile(in, buffer, sizeof(buffer), &read, NULL) && read > 0) {
        DWORD written = 0;
        ok = WriteFile(out, buffer, read, &written, NULL) && written == read;
    }
    CloseHandle(in);
    if (out != INVALID_HANDLE_VALUE)
        CloseHandle(out);
    return ok;
}

// The application's setup library, loaded from its copy; none when the
// record names none or it cannot be loaded, and then removal goes on
// without it.
class SetupLibrary {
public:
    SetupLibrary(const InstallRecord& record) : copy_(SetupCopyPath(record.app))
    {
        if (record.setup.empty() || !CopyWholeFile(record.setup, copy_))
            return;
        module_ = LoadLibraryW(copy_.c_str());
    }
    ~SetupLibrary()
    {
        if (module_)
            FreeLibrary(module_);
        DeleteFileW(copy_.c_str());
    }
    SetupLibrary(const SetupLibrary&) = delete;
    SetupLibrary& operator=(const SetupLibrary&) = delete;

    bool UninstallInit(const std::u16string& dir)
    {
        auto init = module_ ? (pfnUNINSTALL_INIT)GetProcAddressW(module_, szUNINSTALL_INIT) : NULL;
        return !init || init(NULL, dir.c_str()) == codeUNINSTALL_INIT_CONTINUE;
    }
    void UninstallExit()
    {
        auto exit = module_ ? (pfnUNINSTALL_EXIT)GetProcAddressW(module_, szUNINSTALL_EXIT) : NULL;
        if (exit)
            exit(NULL);
    }

private:
    std::u16string copy_;
    HMODULE module_ = NULL;
};

// Deletes each entry; those that stay are kept for the record. One that is
// already gone counts as neither.
std::vector<std::u16string> RemoveEach(const std::vector<std::u16string>& entries, BOOL (*remove)(LPCWSTR),
                                       RemovalResult& result)
{
    std::vector<std::u16string> kept;
    for (const std::u16string& entry : entries) {
        if (remove(entry.c_str()))
            ++result.removed;
        else if (GetLastError() != ERROR_FILE_NOT_FOUND && GetLastError() != ERROR_PATH_NOT_FOUND)
            kept.push_back(entry);
    }
    result.remaining += (int)kept.size();
    return kept;
}

RemovalResult Remove(const std::u16string& app)
{
    RemovalResult result;
    std::optional<InstallRecord> record = LoadInstallRecord(app);
    if (!record)
        return result;
    result.installed = true;
    SetupLibrary setup(*record);
    if (!setup.UninstallInit(record->dir)) {
        result.cancelled = true;
        return result;
    }
    InstallRecord left = *record;
    left.files = RemoveEach(record->files, DeleteFileW, result);
    left.links = RemoveEach(record->links, DeleteFileW, result);
    // The deepest first; a folder that still holds something stays.
    std::vector<std::u16string> folders(record->folders.rbegin(), record->folders.rend());
    left.folders = RemoveEach(folders, RemoveDirectoryW, result);
    std::reverse(left.folders.begin(), left.folders.end());
    setup.UninstallExit();
    if (result.remaining == 0)
        DropInstallRecord(app);
    else
        SaveInstallRecord(left);
    return result;
}

}  // namespace


RemovalResult RemoveApplication(const std::u16string& app)
{
    platform::Server().LogEvent("uninstall app=" + sim::QuoteLogText(app));
    RemovalResult result = Remove(app);
    platform::Server().LogEvent("uninstall-done app=" + sim::QuoteLogText(app) +
                                " removed=" + std::to_string(result.removed));
    return result;
}
