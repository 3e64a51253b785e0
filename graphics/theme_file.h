// The theme: its name, the keys of its theme file, the grammars of their
// values, and the list of installed themes.
#pragma once

#include <windows.h>

#include "settings/ini_file.h"
#include "settings/string_table.h"

// Longest theme name kept; longer names are cut.
#define THEME_NAME_MAX 255

// The loaded theme: its name and the non-comment lines of its theme file.
class ThemeFile {
public:
    ThemeFile();
    ~ThemeFile();

    // Stores the name and replaces the lines with those of programDirectory
    // + "themes\" + name + "\" + name + "_theme.ini". A missing file leaves
    // the theme without keys.
    void Load(const WCHAR* programDirectory, const WCHAR* themeName);
    const WCHAR* Name() const;

    // The value of key + suffix (suffix NULL or "" for none), or NULL.
    const WCHAR* Text(const WCHAR* key, const WCHAR* suffix) const;
    // 1 when the key's integer value is exactly 1, else 0.
    int Flag(const WCHAR* key) const;
    // The key's value as a colour; 0 (black) when the key is missing.
    COLORREF Colour(const WCHAR* key) const;

private:
    ThemeFile(const ThemeFile&);
    ThemeFile& operator=(const ThemeFile&);

    WCHAR name_[THEME_NAME_MAX + 1];
    IniLineList lines_;
};

// "rgb:R:G:B": the first field is not read, a missing component is 255,
// each component keeps its low 8 bits. NULL gives 0.
COLORREF ThemeColour(const WCHAR* value);

// "_landscape" on a landscape screen, else "_square" on a square one, else
// "" for portrait.
const WCHAR* VariantSuffix();

// "name,left,top": the name is copied into name (nameSize characters with
// the terminator, cut when longer). A missing field leaves its output as
// it was.
void ParseNameLeftTop(const WCHAR* value, WCHAR* name, int nameSize, int* left, int* top);

struct PopupTaskListStyle {
    int left, top, width, height;
    int transparent;
    int fontSize;
    int weight;  // 700 for exactly "bold", else 400
    COLORREF textColour;
    COLORREF selectedTextColour;
};

// "left,top,width,height,transparent,fontsize,style,textcolor,textcolorsel";
// missing trailing fields leave their outputs as they were.
void ParsePopupTaskList(const WCHAR* value, PopupTaskListStyle* style);

// Rebuilds *themeList (2 columns: the directories under programDirectory +
// "themes", and their paths), selects the row named by the "theme" setting
// (row 1 when none matches exactly) and loads that theme into *theme,
// creating it when NULL.
void LoadTheme(const WCHAR* programDirectory, ThemeFile** theme, StringTable** themeList);
