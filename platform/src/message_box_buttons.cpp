#include "message_box_buttons.h"

#include <algorithm>

#include "ce/user.h"

namespace platform {
namespace {

constexpr UINT kButtonSetMask = 0x0000000F;
constexpr UINT kDefaultButtonMask = 0x00000F00;

bool Has(const std::vector<int>& buttons, int id) { return std::find(buttons.begin(), buttons.end(), id) != buttons.end(); }

}  // namespace

std::vector<int> MessageBoxButtons(UINT style)
{
    switch (style & kButtonSetMask) {
    case MB_OK: return {IDOK};
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {};
    }
}

size_t MessageBoxDefaultIndex(UINT style, size_t buttonCount)
{
    size_t index = (style & kDefaultButtonMask) >> 8;
    return index < buttonCount ? index : 0;
}

int MessageBoxEscapeAnswer(const std::vector<int>& buttons)
{
    if (Has(buttons, IDCANCEL))
        return IDCANCEL;
    if (Has(buttons, IDNO))
        return IDNO;
    // Windows lets ESCAPE close a box whose only button is OK.
    if (buttons.size() == 1 && buttons.front() == IDOK)
        return IDOK;
    return 0;
}

}  // namespace platform
