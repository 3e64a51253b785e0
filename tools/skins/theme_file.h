// The values of a theme file that the pictures are made for: where the popup
// goes, where its task list lies and in which colours the text is drawn.
#pragma once

#include "color.h"

#include <map>
#include <string>

namespace skins {

struct PopupPlace {
    std::string skin;
    int left = 0, top = 0;
};

struct PopupList {
    int left = 0, top = 0, width = 0, height = 0;
    int transparent = 0, fontSize = 0;
    bool bold = false;
    Color text, selectedText;
};

// One per screen form, in this order.
enum ScreenForm { kPortrait, kLandscape, kSquare, kScreenForms };

struct ThemeFile {
    std::map<std::string, std::string> values;
    Color textColor;
    PopupPlace popup[kScreenForms];
    PopupList list[kScreenForms];
};

// Reads key=value lines; ';' lines are comments. Throws when the file cannot be
// read or a line is neither.
ThemeFile ReadThemeFile(const std::string& path);
// "rgb:R:G:B"; a missing component is 255.
Color ParseThemeColour(const std::string& text);

const char* FormSuffix(ScreenForm form);

} // namespace skins
