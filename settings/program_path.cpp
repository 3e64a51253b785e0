#include "settings/program_path.h"

BOOL ProgramPath(WCHAR* path, const WCHAR* programDirectory, const WCHAR* relative)
{
    size_t directoryLength = wcslen(programDirectory);
    size_t relativeLength = wcslen(relative);
    if (directoryLength + relativeLength >= MAX_PATH) {
        path[0] = 0;
        return FALSE;
    }
    wcscpy(path, programDirectory);
    wcscat(path, relative);
    return TRUE;
}
