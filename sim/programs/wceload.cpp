// The device's cabinet installer stand-in:
//   wceload.exe PATH.CAB
// installs the cabinet (see cabinet_install.h); the exit code is the
// installation's result.
#include <windows.h>

#include <string>

#include "cabinet_install.h"
#include "command_words.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd)
{
    std::u16string_view path = SkipBlanks(lpCmdLine ? lpCmdLine : TEXT(""));
    while (!path.empty() && (path.back() == u' ' || path.back() == u'\t'))
        path.remove_suffix(1);
    if (path.size() >= 2 && path.front() == u'"' && path.back() == u'"')
        path = path.substr(1, path.size() - 2);
    if (path.empty()) {
        MessageBoxW(NULL, TEXT("No cabinet file was given."), TEXT("Installation"), MB_OK | MB_ICONEXCLAMATION);
        return static_cast<int>(InstallResult::kRefused);
    }
    return static_cast<int>(InstallCabinet(std::u16string(path)));
}
