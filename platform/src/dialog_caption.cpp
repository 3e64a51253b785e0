#include "dialog_caption.h"

#include "ce/gdi.h"
#include "ce/text.h"
#include "message_box_drawing.h"
#include "paint_helpers.h"

namespace platform {
namespace {

// 96-dpi sizes.
constexpr LONG kCaptionHeight = 20;
constexpr LONG kOkWidth = 28;
constexpr LONG kOkInset = 3;
constexpr LONG kCloseSize = 16;

}  // namespace

LONG DialogCaptionHeight(int dpi) { return Scaled(kCaptionHeight, dpi); }

RECT CaptionOkButton(LONG width, int dpi)
{
    LONG inset = Scaled(kOkInset, dpi);
    return RECT{width - inset - Scaled(kOkWidth, dpi), inset, width - inset, DialogCaptionHeight(dpi) - inset};
}

RECT CaptionCloseBox(LONG width, int dpi)
{
    LONG size = Scaled(kCloseSize, dpi);
    LONG top = (DialogCaptionHeight(dpi) - size) / 2;
    LONG right = width - Scaled(kOkInset, dpi);
    return RECT{right - size, top, right, top + size};
}

void DrawDialogCaption(HDC dc, LONG width, LONG height, const DialogCaptionLook& look, int dpi)
{
    RECT band = {0, 0, width, DialogCaptionHeight(dpi)};
    RECT title = band;
    RECT ok = CaptionOkButton(width, dpi);
    RECT close = CaptionCloseBox(width, dpi);
    // The title stops short of the button.
    if (look.okButton)
        title.right = ok.left;
    else if (look.closeBox)
        title.right = close.left;
    if (look.band)
        DrawCaptionBand(dc, title, look.title, dpi);
    if (look.band && look.okButton) {
        DrawCaptionBand(dc, RECT{ok.left, 0, width, band.bottom}, u"", dpi);
        HFONT bold = CreateMessageBoxFont(dpi, true);
        DrawPushButton(dc, ok, u"ok", DT_NOPREFIX, false, look.okPressed, bold, dpi);
        DeleteObject(bold);
    }
    if (look.band && look.closeBox) {
        DrawCaptionBand(dc, RECT{title.right, 0, width, band.bottom}, u"", dpi);
        HFONT bold = CreateMessageBoxFont(dpi, true);
        DrawPushButton(dc, close, u"\u00D7", DT_NOPREFIX, false, look.closePressed, bold, dpi);
        DeleteObject(bold);
    }
    if (look.frame)
        DrawBoxFrame(dc, RECT{0, 0, width, height});
}

}  // namespace platform
