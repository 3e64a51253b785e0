// Message boxes before the window system: the box is recorded in the event
// log and answered with its default button.
#include <unistd.h>

#include <string>
#include <vector>

#include "ce/errors.h"
#include "ce/user.h"
#include "device_services.h"
#include "server/event_log.h"
#include "text_convert.h"

namespace {

constexpr UINT kButtonSetMask = 0x0000000F;
constexpr UINT kDefaultButtonMask = 0x00000F00;

// The buttons of a style's button set, left to right; empty when unknown.
std::vector<int> Buttons(UINT style)
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

// A default button beyond the set falls back to the first, as on Windows.
int DefaultButton(const std::vector<int>& buttons, UINT style)
{
    size_t index = (style & kDefaultButtonMask) >> 8;
    return index < buttons.size() ? buttons[index] : buttons.front();
}

std::string PidField() { return "pid=" + std::to_string(getpid()); }

std::u16string WideFromCp1252(LPCSTR text)
{
    std::u16string wide;
    for (; *text; ++text)
        wide += platform::WideFromCp1252(static_cast<unsigned char>(*text));
    return wide;
}

}  // namespace

int MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType)
{
    std::vector<int> buttons = Buttons(uType);
    if (buttons.empty()) {
        SetLastError(ERROR_INVALID_MSGBOX_STYLE);
        return 0;
    }
    platform::DeviceServer& server = platform::Server();
    // FIXME: the box is neither drawn nor operable until the window system
    // exists; the default button answers at once.
    server.LogEvent("msgbox " + PidField() + " caption=" + sim::QuoteLogText(lpCaption ? lpCaption : u"Error") +
                    " text=" + sim::QuoteLogText(lpText ? lpText : u"") + " style=" + sim::HexLogNumber(uType));
    int answer = DefaultButton(buttons, uType);
    server.LogEvent("msgbox-answer " + PidField() + " result=" + std::to_string(answer));
    return answer;
}

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    std::u16string text = lpText ? WideFromCp1252(lpText) : std::u16string();
    std::u16string caption = lpCaption ? WideFromCp1252(lpCaption) : std::u16string();
    return MessageBoxW(hWnd, lpText ? text.c_str() : nullptr, lpCaption ? caption.c_str() : nullptr, uType);
}
