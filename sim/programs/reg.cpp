// Changes the device's registry from a script, as a setup program would:
//   reg.exe [--notify-today] set KEY NAME dword NUMBER
//   reg.exe [--notify-today] set KEY NAME sz TEXT
//   reg.exe [--notify-today] delete KEY
// KEY starts with HKLM\ or HKCU\ and ends at the first blank; TEXT is the
// rest of the line. --notify-today then sends the desktop WM_WININICHANGE
// with 0xF2, which makes the Today screen reload its items. The exit code
// is 0 when the change was made, 1 when the registry refused it and 255 for
// a malformed command line.
#include <windows.h>

#include <string>

#include "command_words.h"

namespace {

// The root and the path below it; false for any other root.
bool SplitKey(std::u16string_view key, HKEY& root, std::u16string& path)
{
    for (auto [prefix, handle] : {std::pair{u"HKLM\\", HKEY_LOCAL_MACHINE}, std::pair{u"HKCU\\", HKEY_CURRENT_USER}}) {
        std::u16string_view start(prefix);
        if (key.substr(0, start.size()) == start && key.size() > start.size()) {
            root = handle;
            path = key.substr(start.size());
            return true;
        }
    }
    return false;
}

int SetValue(HKEY root, const std::u16string& path, std::u16string_view rest)
{
    std::u16string name(TakeWord(rest));
    std::u16string_view type = TakeWord(rest);
    if (name.empty() || (type != u"dword" && type != u"sz"))
        return 255;
    unsigned long number = 0;
    if (type == u"dword" && (!TakeNumber(rest, number) || !rest.empty()))
        return 255;
    HKEY key = NULL;
    DWORD disposition = 0;
    if (RegCreateKeyExW(root, path.c_str(), 0, NULL, 0, 0, NULL, &key, &disposition) != ERROR_SUCCESS)
        return 1;
    LONG result;
    if (type == u"dword") {
        DWORD value = (DWORD)number;
        result = RegSetValueExW(key, name.c_str(), 0, REG_DWORD, (const BYTE*)&value, sizeof(value));
    } else {
        std::u16string text(rest);
        result = RegSetValueExW(key, name.c_str(), 0, REG_SZ, (const BYTE*)text.c_str(),
                                (DWORD)((text.size() + 1) * sizeof(WCHAR)));
    }
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? 0 : 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd)
{
    std::u16string_view rest = SkipBlanks(lpCmdLine ? lpCmdLine : TEXT(""));
    bool notify = TakeOption(rest, u"--notify-today");
    std::u16string_view verb = TakeWord(rest);
    HKEY root = NULL;
    std::u16string path;
    if (!SplitKey(TakeWord(rest), root, path))
        return 255;
    int code = 255;
    if (verb == u"set")
        code = SetValue(root, path, rest);
    else if (verb == u"delete" && rest.empty())
        code = RegDeleteKeyW(root, path.c_str()) == ERROR_SUCCESS ? 0 : 1;
    if (code == 0 && notify) {
        HWND desktop = GetDesktopWindow();
        SendMessageW(desktop, WM_WININICHANGE, 0xF2, 0);
        InvalidateRect(desktop, NULL, TRUE);
    }
    return code;
}
