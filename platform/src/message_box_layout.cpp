#include "message_box_layout.h"
#include "paint_helpers.h"

#include <algorithm>

namespace platform {
namespace {

// 96-dpi sizes, close to those of the Pocket PC shell's boxes.
constexpr int kSideMargin = 8;
constexpr int kCaptionHeight = 20;
constexpr int kTextHeight = 64;  // the least; longer texts get more
constexpr int kIconSize = 32;
constexpr int kTextGap = 6;
constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 22;
constexpr int kButtonGap = 6;
constexpr int kBottomMargin = 8;


RECT Rect(LONG left, LONG top, LONG right, LONG bottom) { return RECT{left, top, right, bottom}; }

// Equal buttons centred in a row between left and right.
std::vector<RECT> ButtonRow(LONG left, LONG right, LONG top, size_t count, int dpi)
{
    std::vector<RECT> buttons;
    if (count == 0)
        return buttons;
    LONG n = static_cast<LONG>(count);
    LONG gap = Scaled(kButtonGap, dpi);
    LONG width = std::min<LONG>(Scaled(kButtonWidth, dpi), (right - left - (n - 1) * gap) / n);
    LONG rowWidth = n * width + (n - 1) * gap;
    LONG x = left + (right - left - rowWidth) / 2;
    for (LONG i = 0; i < n; ++i, x += width + gap)
        buttons.push_back(Rect(x, top, x + width, top + Scaled(kButtonHeight, dpi)));
    return buttons;
}

}  // namespace

LONG MessageBoxTextWidth(const RECT& workArea, int dpi, bool icon)
{
    LONG margin = Scaled(kSideMargin, dpi);
    LONG width = workArea.right - workArea.left - 4 * margin;
    return icon ? width - Scaled(kIconSize, dpi) - margin : width;
}

MessageBoxLayout LayOutMessageBox(const RECT& workArea, int dpi, size_t buttonCount, bool icon, LONG textHeight)
{
    LONG margin = Scaled(kSideMargin, dpi);
    LONG width = workArea.right - workArea.left - 2 * margin;
    LONG captionBottom = Scaled(kCaptionHeight, dpi);
    LONG textTop = captionBottom + Scaled(kTextGap, dpi);
    // Everything but the text, then the text as far as it fits.
    LONG fixed = textTop + 2 * Scaled(kTextGap, dpi) + Scaled(kButtonHeight, dpi) + Scaled(kBottomMargin, dpi);
    LONG room = workArea.bottom - workArea.top - 2 * margin - fixed;
    LONG textArea = std::max<LONG>(Scaled(kTextHeight, dpi), textHeight + Scaled(kTextGap, dpi));
    textArea = std::max<LONG>(std::min(textArea, room), Scaled(kIconSize, dpi));
    LONG textBottom = textTop + textArea;
    LONG buttonsTop = textBottom + Scaled(kTextGap, dpi);
    LONG height = buttonsTop + Scaled(kButtonHeight, dpi) + Scaled(kBottomMargin, dpi);

    MessageBoxLayout layout;
    LONG left = workArea.left + (workArea.right - workArea.left - width) / 2;
    LONG top = workArea.top + (workArea.bottom - workArea.top - height) / 2;
    layout.box = Rect(left, top, left + width, top + height);
    layout.caption = Rect(0, 0, width, captionBottom);
    LONG textLeft = margin;
    layout.icon = Rect(0, 0, 0, 0);
    if (icon) {
        LONG size = Scaled(kIconSize, dpi);
        layout.icon = Rect(margin, textTop, margin + size, textTop + size);
        textLeft = layout.icon.right + margin;
    }
    layout.text = Rect(textLeft, textTop, width - margin, textBottom);
    layout.buttons = ButtonRow(margin, width - margin, buttonsTop, buttonCount, dpi);
    return layout;
}

int MessageBoxButtonAt(const MessageBoxLayout& layout, POINT point)
{
    for (size_t i = 0; i < layout.buttons.size(); ++i) {
        const RECT& r = layout.buttons[i];
        if (point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom)
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace platform
