// The device installer's record of an installed application, which removal
// reads so that it removes exactly what the installer put there:
// HKEY_LOCAL_MACHINE\Software\Apps\APP ("Instl" 1, "InstlDir", "Record")
// and the record file \Windows\AppMgr\APP.rec, one "key=value" line per
// entry in the order the installer made them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct InstallRecord {
    std::u16string app;
    std::u16string dir;    // the install directory, without a trailing backslash
    std::u16string setup;  // the installed setup library; empty when there is none
    std::vector<std::u16string> folders;  // only those the installer created
    std::vector<std::u16string> files;
    std::vector<std::u16string> links;
};

// \Windows\AppMgr\APP.rec
std::u16string InstallRecordPath(std::u16string_view app);

std::string FormatInstallRecord(const InstallRecord& record);
// Lines with unknown keys are passed over; a line without '=', or a record
// without app and dir, is malformed.
std::optional<InstallRecord> ParseInstallRecord(std::string_view text);

// Writes the record file (creating \Windows\AppMgr) and the registry key.
bool SaveInstallRecord(const InstallRecord& record);
// The record of an installed application, found through its registry key.
std::optional<InstallRecord> LoadInstallRecord(std::u16string_view app);
// Removes the record file and the registry key.
void DropInstallRecord(std::u16string_view app);
