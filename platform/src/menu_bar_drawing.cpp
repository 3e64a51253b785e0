// How the soft-key bar looks: the shell's blue band, each key's text in
// white bold in its half, a pressed key darker, a disabled one dimmed.
#include <cstring>

#include "ce/gdi.h"
#include "ce/text.h"
#include "commctrl.h"
#include "menu_bar.h"
#include "paint_helpers.h"

namespace platform {
namespace {

constexpr COLORREF kBarTop = RGB(41, 105, 206);
constexpr COLORREF kBarBottom = RGB(0, 48, 140);
constexpr COLORREF kPressed = RGB(0, 32, 99);
constexpr COLORREF kKeyText = RGB(255, 255, 255);
constexpr COLORREF kDisabledText = RGB(140, 160, 206);
constexpr LONG kBarHeight = 26;
constexpr LONG kTextMargin = 4;




// The soft keys' face: the shell's nine-point Tahoma, bold.
HFONT CreateKeyFont(int dpi)
{
    LOGFONTW font = {};
    font.lfHeight = -((9 * dpi + 36) / 72);
    font.lfWeight = FW_BOLD;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    std::memcpy(font.lfFaceName, u"Tahoma", sizeof u"Tahoma");
    return CreateFontIndirectW(&font);
}

}  // namespace

bool SoftKey::Shown() const { return !(state & TBSTATE_HIDDEN); }

bool SoftKey::Usable() const { return Shown() && (state & TBSTATE_ENABLED); }

LONG MenuBarHeight(int dpi) { return Scaled(kBarHeight, dpi); }

RECT SoftKeyRect(const RECT& client, size_t index)
{
    LONG middle = (client.left + client.right) / 2;
    return index == 0 ? RECT{client.left, client.top, middle, client.bottom}
                      : RECT{middle, client.top, client.right, client.bottom};
}

void DrawMenuBar(HDC dc, const RECT& client, const MenuBar& bar, int dpi)
{
    Gradient(dc, client, kBarTop, kBarBottom);
    HFONT font = CreateKeyFont(dpi);
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    for (size_t i = 0; i < bar.keys.size() && i < 2; ++i) {
        const SoftKey& key = bar.keys[i];
        if (!key.Shown())
            continue;
        RECT r = SoftKeyRect(client, i);
        if (bar.pressed == static_cast<int>(i))
            Fill(dc, r, kPressed);
        SetTextColor(dc, key.Usable() ? kKeyText : kDisabledText);
        RECT text = {r.left + Scaled(kTextMargin, dpi), r.top, r.right - Scaled(kTextMargin, dpi), r.bottom};
        DrawTextW(dc, key.text.c_str(), static_cast<int>(key.text.size()), &text,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    SelectObject(dc, old);
    DeleteObject(font);
}

}  // namespace platform
