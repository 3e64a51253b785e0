// One line of text over the background: a language text at first, set
// anew by the page as figures change.
#pragma once

#include "ui/control.h"

class TextLabel : public Control {
public:
    // Starts with a copy of text number textId; empty for 0.
    TextLabel(Page* owner, int textId);
    ~TextLabel() override;

    void Draw(HDC dc, const PAINTSTRUCT* paint) override;

    // Repaints only when the text differs; NULL empties the label.
    void SetText(const WCHAR* newText);

    WCHAR* text;
    int textLength;
    // DrawText format flags.
    UINT format;
    COLORREF colour;
    // While set, the window's present text colour is used instead of colour.
    BOOL useThemeColour;
    // Owned by the page; NULL draws in the default font.
    HFONT font;
};
