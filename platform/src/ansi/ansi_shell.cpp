// The desktop's 8-bit shell execute call over ShellExecuteEx.
#include <cstdint>

#include "ansi/ansi_text.h"
#include "shellapi.h"

using platform::AnsiArgument;

HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                        INT nShowCmd)
{
    AnsiArgument operation(lpOperation);
    AnsiArgument file(lpFile);
    AnsiArgument parameters(lpParameters);
    AnsiArgument directory(lpDirectory);
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.hwnd = hwnd;
    info.lpVerb = operation.get();
    info.lpFile = file.get();
    info.lpParameters = parameters.get();
    info.lpDirectory = directory.get();
    info.nShow = nShowCmd;
    // ShellExecuteEx leaves its answer in hInstApp, above 32 on success;
    // a call refused outright answers "file not found".
    if (!ShellExecuteEx(&info) && !info.hInstApp)
        return reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(SE_ERR_FNF));
    return info.hInstApp;
}
