#include "ui/text_label.h"

#include "settings/text_table.h"
#include "ui/drawing_primitives.h"
#include "ui/page.h"
#include "ui/skin_window.h"

TextLabel::TextLabel(Page* owner, int textId)
    : Control(owner),
      text(NULL),
      textLength(0),
      format(0),
      colour(owner ? owner->Window()->TextColour() : 0),
      useThemeColour(TRUE),
      font(NULL)
{
    focusable = FALSE;
    // Text number 0 is a label whose text the page sets.
    if (textId != 0)
        text = GetTextCopy(textId, &textLength, TRUE);
}

TextLabel::~TextLabel()
{
    delete[] text;
}

void TextLabel::SetText(const WCHAR* newText)
{
    if (text && newText && wcscmp(text, newText) == 0)
        return;
    delete[] text;
    text = NULL;
    textLength = 0;
    if (newText) {
        int length = (int)wcslen(newText);
        text = new WCHAR[length + 1];
        wcscpy(text, newText);
        textLength = length;
    }
    Invalidate();
}

void TextLabel::Draw(HDC dc, const PAINTSTRUCT*)
{
    if (text == NULL)
        return;
    COLORREF drawn = useThemeColour && owner ? owner->Window()->TextColour() : colour;
    COLORREF previous = SetTextColor(dc, drawn);
    RECT area = rect;
    DrawTextTransparent(dc, text, textLength, &area, format, font);
    SetTextColor(dc, previous);
}
