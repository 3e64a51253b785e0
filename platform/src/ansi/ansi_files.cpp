// File calls of desktop programs with 8-bit paths.
#include "ansi/ansi_text.h"
#include "ce/files.h"

using platform::AnsiArgument;

HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE hTemplateFile)
{
    AnsiArgument name(lpFileName);
    return CreateFileW(name.get(), dwDesiredAccess, dwShareMode, lpSecurityAttributes, dwCreationDisposition,
                       dwFlagsAndAttributes, hTemplateFile);
}

BOOL CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes)
{
    AnsiArgument path(lpPathName);
    return CreateDirectoryW(path.get(), lpSecurityAttributes);
}

BOOL DeleteFileA(LPCSTR lpFileName)
{
    AnsiArgument name(lpFileName);
    return DeleteFileW(name.get());
}

BOOL RemoveDirectoryA(LPCSTR lpPathName)
{
    AnsiArgument path(lpPathName);
    return RemoveDirectoryW(path.get());
}

BOOL MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags)
{
    AnsiArgument existing(lpExistingFileName);
    AnsiArgument newName(lpNewFileName);
    return MoveFileExW(existing.get(), newName.get(), dwFlags);
}
