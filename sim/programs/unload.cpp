// The device's Remove Programs: removes one installed application.
//   unload.exe "APP NAME"
// Logs `uninstall app="APP"` and `uninstall-done app="APP" removed=N`; when
// something could not be deleted it says so in a message box. The exit
// code is 0 when all of it went, 1 when something stays, 2 when the
// application is not installed, 3 when its setup library cancelled.
#include <windows.h>

#include <string>

#include "app_removal.h"
#include "command_words.h"

namespace {

const WCHAR kCaption[] = TEXT("Remove Programs");

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd)
{
    std::u16string app = UnquotedArgument(lpCmdLine ? lpCmdLine : TEXT(""));
    RemovalResult result = RemoveApplication(app);
    if (!result.installed) {
        std::u16string text = app + u" is not installed.";
        MessageBoxW(NULL, text.c_str(), kCaption, MB_OK | MB_ICONEXCLAMATION);
        return 2;
    }
    if (result.cancelled)
        return 3;
    if (result.remaining == 0)
        return 0;
    std::u16string text = app + u" could not be removed completely. Some of its files are in use: close the "
                                u"programs that use them and remove " + app + u" again.";
    MessageBoxW(NULL, text.c_str(), kCaption, MB_OK | MB_ICONEXCLAMATION);
    return 1;
}
