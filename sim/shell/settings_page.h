// The look the shell's settings pages share: a window over the work area
// with a bold title and one row per entry, its name on the left and what a
// tap on it does on the right, in blue (grey when it does nothing).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace shell {

struct SettingsRow {
    std::u16string name;
    const WCHAR* action;
    bool actionable;
};

void PaintSettingsPage(HWND hwnd, const WCHAR* title, const std::vector<SettingsRow>& rows);

// The row under a tap at client y; -1 on the title.
int SettingsRowAt(int y);

// Creates the page window of the class when there is none.
HWND CreateSettingsPage(HINSTANCE instance, const WCHAR* className, const WCHAR* title);

}  // namespace shell
