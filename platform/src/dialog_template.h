// Dialog templates (RT_DIALOG, as the resource compiler writes them): the
// standard DLGTEMPLATE with its DLGITEMTEMPLATE items, and the extended
// DLGTEMPLATEEX form, read into one shape.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ce/types.h"

namespace platform {

// A menu, class or title field: nothing, an ordinal, or text.
struct TemplateName {
    bool isOrdinal = false;
    WORD ordinal = 0;
    std::u16string text;
};

struct DialogItemTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
    DWORD id = 0;
    TemplateName windowClass;  // an ordinal names a predefined class
    TemplateName title;        // an ordinal names a resource (a static's picture)
};

struct DialogFontTemplate {
    WORD pointSize = 0;
    WORD weight = 0;  // 0 (FW_DONTCARE) in the standard form
    bool italic = false;
    BYTE charSet = 0;
    std::u16string face;
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
    TemplateName menu;
    TemplateName windowClass;
    std::u16string caption;
    std::optional<DialogFontTemplate> font;  // with DS_SETFONT
    std::vector<DialogItemTemplate> items;
};

// Empty when the bytes are not a whole template: a field, string or item
// that does not fit, or an item count beyond the data. Nothing is read past
// the bytes given.
std::optional<DialogTemplate> ParseDialogTemplate(std::span<const BYTE> bytes);

// The class name an item's ordinal stands for ("BUTTON" for 0x0080, ...);
// empty for an unknown ordinal.
std::u16string PredefinedClassName(WORD ordinal);

}  // namespace platform
