#include "message_box_drawing.h"

#include <cstring>

#include "ce/gdi.h"
#include "ce/text.h"
#include "ce/user.h"
#include "paint_helpers.h"

namespace platform {
namespace {

constexpr COLORREF kFrame = RGB(0, 48, 132);
constexpr COLORREF kCaptionTop = RGB(33, 97, 198);
constexpr COLORREF kCaptionBottom = RGB(0, 56, 148);
constexpr COLORREF kButtonFace = RGB(222, 231, 247);
constexpr COLORREF kButtonEdge = RGB(99, 117, 156);

void Frame(HDC dc, const RECT& r, COLORREF colour, int width)
{
    Fill(dc, RECT{r.left, r.top, r.right, r.top + width}, colour);
    Fill(dc, RECT{r.left, r.bottom - width, r.right, r.bottom}, colour);
    Fill(dc, RECT{r.left, r.top, r.left + width, r.bottom}, colour);
    Fill(dc, RECT{r.right - width, r.top, r.right, r.bottom}, colour);
}

void Text(HDC dc, const std::u16string& text, RECT r, UINT format, COLORREF colour, HFONT font)
{
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
    SelectObject(dc, old);
}

// A disc of the given colour, row by row.
void Disc(HDC dc, const RECT& r, COLORREF colour)
{
    LONG size = r.right - r.left;
    // Twice the radius and the offsets, so that the centre lies between pixels.
    LONG d = size;
    for (LONG y = 0; y < size; ++y) {
        LONG dy = 2 * y + 1 - d;
        LONG x = 0;
        while (x < size && (2 * x + 1 - d) * (2 * x + 1 - d) + dy * dy > d * d)
            ++x;
        if (x < size - x)
            Fill(dc, RECT{r.left + x, r.top + y, r.right - x, r.top + y + 1}, colour);
    }
}

// A triangle pointing up, row by row.
void Triangle(HDC dc, const RECT& r, COLORREF colour)
{
    LONG size = r.right - r.left;
    LONG centre = r.left + size / 2;
    for (LONG y = 0; y < size; ++y) {
        LONG half = (y * size) / (2 * size) + 1;
        Fill(dc, RECT{centre - half, r.top + y, centre + half, r.top + y + 1}, colour);
    }
}

void DrawIcon(HDC dc, const RECT& r, UINT icon, int dpi)
{
    HFONT font = CreateMessageBoxFont(dpi * 2, true);
    RECT glyph = r;
    switch (icon) {
    case MB_ICONHAND:
        Disc(dc, r, RGB(206, 32, 24));
        Text(dc, u"\u00D7", glyph, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, RGB(255, 255, 255), font);
        break;
    case MB_ICONEXCLAMATION:
        Triangle(dc, r, RGB(247, 190, 0));
        glyph.top += Scaled(4, dpi);
        Text(dc, u"!", glyph, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, RGB(0, 0, 0), font);
        break;
    case MB_ICONQUESTION:
    case MB_ICONASTERISK:
        Disc(dc, r, RGB(33, 97, 198));
        Text(dc, icon == MB_ICONQUESTION ? u"?" : u"i", glyph, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX,
             RGB(255, 255, 255), font);
        break;
    default: break;
    }
    DeleteObject(font);
}

const char16_t* ButtonLabel(int id)
{
    switch (id) {
    case IDOK: return u"OK";
    case IDCANCEL: return u"Cancel";
    case IDABORT: return u"Abort";
    case IDRETRY: return u"Retry";
    case IDIGNORE: return u"Ignore";
    case IDYES: return u"Yes";
    case IDNO: return u"No";
    default: return u"";
    }
}

}  // namespace

void DrawPushButton(HDC dc, const RECT& r, const std::u16string& label, UINT format, bool isDefault, bool pressed,
                    HFONT font, int dpi, bool enabled)
{
    Fill(dc, r, pressed ? kFrame : kButtonFace);
    Frame(dc, r, isDefault ? kFrame : kButtonEdge, isDefault ? Scaled(2, dpi) : Scaled(1, dpi));
    COLORREF ink = pressed ? RGB(255, 255, 255) : RGB(0, 0, 0);
    Text(dc, label, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | format, enabled ? ink : GetSysColor(COLOR_GRAYTEXT),
         font);
}

void DrawBoxFrame(HDC dc, const RECT& r) { Frame(dc, r, kFrame, 1); }

HFONT CreateMessageBoxFont(int dpi, bool bold)
{
    // Nine points, as the shell's dialogs use.
    LOGFONTW font = {};
    font.lfHeight = -((9 * dpi + 36) / 72);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    std::memcpy(font.lfFaceName, u"Tahoma", sizeof u"Tahoma");
    return CreateFontIndirectW(&font);
}

LONG MessageBoxTextHeight(const std::u16string& text, LONG width, int dpi)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateMessageBoxFont(dpi, false);
    HGDIOBJ old = SelectObject(dc, font);
    RECT r = {0, 0, width, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return r.bottom - r.top;
}

void DrawCaptionBand(HDC dc, const RECT& band, const std::u16string& caption, int dpi)
{
    Gradient(dc, band, kCaptionTop, kCaptionBottom);
    HFONT bold = CreateMessageBoxFont(dpi, true);
    RECT title = band;
    title.left += Scaled(6, dpi);
    title.right -= Scaled(6, dpi);
    Text(dc, caption, title, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS, RGB(255, 255, 255),
         bold);
    DeleteObject(bold);
}

void DrawMessageBox(HDC dc, const MessageBoxLayout& layout, const MessageBoxContent& content, int dpi)
{
    RECT client = {0, 0, layout.box.right - layout.box.left, layout.box.bottom - layout.box.top};
    Fill(dc, client, RGB(255, 255, 255));
    DrawCaptionBand(dc, layout.caption, content.caption, dpi);
    DrawBoxFrame(dc, client);

    HFONT normal = CreateMessageBoxFont(dpi, false);
    if (layout.icon.right > layout.icon.left)
        DrawIcon(dc, layout.icon, content.icon, dpi);
    Text(dc, content.text, layout.text, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX, RGB(0, 0, 0), normal);
    for (size_t i = 0; i < layout.buttons.size() && i < content.buttons.size(); ++i)
        DrawPushButton(dc, layout.buttons[i], ButtonLabel(content.buttons[i]), DT_NOPREFIX, i == content.defaultIndex,
                       static_cast<int>(i) == content.pressed, normal, dpi);
    DeleteObject(normal);
}

}  // namespace platform
