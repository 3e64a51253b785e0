#include "pending_installs.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace shell {

void InstallPendingCabinets()
{
    const std::u16string folder = u"\\Windows\\AppMgr\\Install\\";
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + u"*.cab").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        // The installer deletes the cabinet once it is in.
        std::u16string parameters = u"\"" + folder + found.cFileName + u"\"";
        SHELLEXECUTEINFO info = {};
        info.cbSize = sizeof(info);
        info.lpVerb = TEXT("open");
        info.lpFile = TEXT("\\Windows\\wceload.exe");
        info.lpParameters = parameters.c_str();
        info.nShow = SW_SHOW;
        ShellExecuteEx(&info);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

}  // namespace shell
