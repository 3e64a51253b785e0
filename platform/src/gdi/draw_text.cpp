// DrawTextW: lines laid out by text_layout, each drawn as one text run.
#include <algorithm>
#include <vector>

#include "ce/errors.h"
#include "device_context.h"
#include "font_face.h"
#include "font_objects.h"
#include "text_layout.h"
#include "text_run.h"

using namespace platform;

namespace {

size_t Length(LPCWSTR text, int count)
{
    if (count >= 0)
        return static_cast<size_t>(count);
    size_t length = 0;
    while (text[length])
        ++length;
    return length;
}

TextLayoutOptions LayoutOptionsFor(const RECT& rect, UINT format)
{
    TextLayoutOptions options;
    options.width = rect.right - rect.left;
    options.singleLine = (format & DT_SINGLELINE) != 0;
    options.wordBreak = (format & DT_WORDBREAK) != 0;
    options.prefixes = (format & DT_NOPREFIX) == 0;
    options.endEllipsis = (format & DT_END_ELLIPSIS) != 0;
    // FIXME: DT_TABSTOP's tab size in bits 8 to 15 is not read; a tab
    // always reaches the next multiple of eight characters.
    options.expandTabs = (format & DT_EXPANDTABS) != 0;
    return options;
}

// Vertical alignment applies to single lines only, as in Win32.
int FirstLineTop(const RECT& rect, UINT format, int lineHeight)
{
    if (!(format & DT_SINGLELINE))
        return rect.top;
    if (format & DT_VCENTER)
        return rect.top + (rect.bottom - rect.top - lineHeight) / 2;
    if (format & DT_BOTTOM)
        return rect.bottom - lineHeight;
    return rect.top;
}

int LineLeft(const RECT& rect, UINT format, int width)
{
    if (format & DT_CENTER)
        return rect.left + (rect.right - rect.left - width) / 2;
    if (format & DT_RIGHT)
        return rect.right - width;
    return rect.left;
}

}  // namespace

int DrawTextW(HDC hdc, LPCWSTR lpchText, int cchText, LPRECT lprc, UINT format)
{
    if (!FindDc(hdc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    FontObject* font = SelectedFont(hdc);
    if (!font || !lprc || (!lpchText && cchText != 0))
        return 0;
    const FontFace& face = *font->face;
    std::u16string_view text(lpchText, lpchText ? Length(lpchText, cchText) : 0);
    std::vector<TextLine> lines = LayOutText(text, LayoutOptionsFor(*lprc, format),
                                             [&face](std::u16string_view run) { return face.Width(run); });
    int lineHeight = face.Metrics().height;
    if (format & DT_EXTERNALLEADING)
        lineHeight += face.Metrics().externalLeading;
    int blockHeight = lineHeight * static_cast<int>(lines.size());

    // The measured block starts at the top: DT_VCENTER and DT_BOTTOM only
    // place text that is drawn.
    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const TextLine& line : lines)
            widest = std::max(widest, line.width);
        lprc->right = lprc->left + widest;
        lprc->bottom = lprc->top + blockHeight;
        return blockHeight;
    }
    int top = FirstLineTop(*lprc, format, lineHeight);
    for (const TextLine& line : lines) {
        TextRun run;
        run.x = LineLeft(*lprc, format, line.width);
        run.y = top;
        run.text = line.text;
        run.clip = (format & DT_NOCLIP) ? nullptr : lprc;
        if (line.underlined >= 0) {
            run.underlineFirst = static_cast<size_t>(line.underlined);
            run.underlineLast = run.underlineFirst + 1;
        }
        if (!DrawTextRun(hdc, run))
            return 0;
        top += lineHeight;
    }
    return top - lprc->top;
}
