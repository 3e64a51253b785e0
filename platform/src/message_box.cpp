// Message boxes: a topmost window with its buttons and a modal message loop
// of its own, answered by a tap on a button, RETURN or ESCAPE.
#include <algorithm>
#include <string>
#include <vector>

#include "ce/errors.h"
#include "ce/process.h"
#include "ce/resources.h"
#include "ce/user.h"
#include "ce/gdi.h"
#include "ce/windowing.h"
#include "device_services.h"
#include "dialog_manager.h"
#include "message_box_buttons.h"
#include "message_box_drawing.h"
#include "message_box_layout.h"
#include "server/event_log.h"
#include "server/wire_records.h"
#include "server_connection.h"
#include "text_convert.h"

namespace {

// The predefined dialog class.
constexpr char16_t kBoxClass[] = u"Dialog";
constexpr char16_t kDefaultCaption[] = u"Error";

// One shown box; the window procedure finds it by its window.
struct Box {
    std::u16string text;
    std::u16string caption;
    UINT style = 0;
    std::vector<int> buttons;
    size_t defaultIndex = 0;
    platform::MessageBoxLayout layout;
    int dpi = 96;
    HWND hwnd = nullptr;
    int pressed = -1;  // button under the stylus since it went down
    bool ended = false;
    int answer = 0;
};

// Boxes may nest: a window procedure called from a box's loop can show
// another one.
std::vector<Box*>& ShownBoxes()
{
    static std::vector<Box*> boxes;
    return boxes;
}

Box* BoxOf(HWND hwnd)
{
    for (Box* box : ShownBoxes())
        if (box->hwnd == hwnd)
            return box;
    return nullptr;
}

void Forget(const Box* box)
{
    std::vector<Box*>& boxes = ShownBoxes();
    boxes.erase(std::remove(boxes.begin(), boxes.end(), box), boxes.end());
}

std::string PidField() { return "pid=" + std::to_string(platform::CurrentPid()); }

// Ends the loop; the null message wakes it when the answer came from a
// message sent by another process while the loop was waiting.
void Answer(Box& box, int answer)
{
    if (box.ended)
        return;
    box.ended = true;
    box.answer = answer;
    PostMessageW(box.hwnd, WM_NULL, 0, 0);
}

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

void OnButtonDown(Box& box, LPARAM lParam)
{
    box.pressed = platform::MessageBoxButtonAt(box.layout, PointOf(lParam));
    if (box.pressed >= 0) {
        SetCapture(box.hwnd);
        InvalidateRect(box.hwnd, &box.layout.buttons[static_cast<size_t>(box.pressed)], FALSE);
    }
}

// A button answers when the stylus goes up on the button it went down on.
void OnButtonUp(Box& box, LPARAM lParam)
{
    int pressed = box.pressed;
    box.pressed = -1;
    if (GetCapture() == box.hwnd)
        ReleaseCapture();
    if (pressed >= 0)
        InvalidateRect(box.hwnd, &box.layout.buttons[static_cast<size_t>(pressed)], FALSE);
    if (pressed >= 0 && platform::MessageBoxButtonAt(box.layout, PointOf(lParam)) == pressed)
        Answer(box, box.buttons[pressed]);
}

void OnEscape(Box& box)
{
    if (int answer = platform::MessageBoxEscapeAnswer(box.buttons))
        Answer(box, answer);
}

void OnPaint(const Box& box)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(box.hwnd, &paint);
    platform::MessageBoxContent content;
    content.caption = box.caption;
    content.text = box.text;
    content.icon = box.style & MB_ICONMASK;
    content.buttons = box.buttons;
    content.defaultIndex = box.defaultIndex;
    content.pressed = box.pressed;
    platform::DrawMessageBox(dc, box.layout, content, box.dpi);
    EndPaint(box.hwnd, &paint);
}

// The box is a window of the dialog class; this is its dialog procedure.
INT_PTR CALLBACK BoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Box* box = BoxOf(hwnd);
    if (!box)
        return FALSE;
    switch (msg) {
    case WM_LBUTTONDOWN: OnButtonDown(*box, lParam); return TRUE;
    case WM_LBUTTONUP: OnButtonUp(*box, lParam); return TRUE;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN)
            Answer(*box, box->buttons[box->defaultIndex]);
        else if (wParam == VK_ESCAPE)
            OnEscape(*box);
        return TRUE;
    // Closing the box is dismissing it, as ESCAPE does; MessageBoxW itself
    // destroys the window.
    case WM_CLOSE: OnEscape(*box); return TRUE;
    case WM_PAINT: OnPaint(*box); return TRUE;
    // Destroyed from outside before an answer: the box answers 0.
    case WM_DESTROY:
        Answer(*box, 0);
        Forget(box);
        return TRUE;
    default: return FALSE;
    }
}

void LayOut(Box& box)
{
    std::string reply = platform::Call(sim::Op::Screen, sim::WireWriter());
    sim::WireReader in(reply);
    sim::ScreenInfo screen = sim::ReadScreen(in);
    RECT workArea = {screen.workLeft, screen.workTop, screen.workRight, screen.workBottom};
    bool icon = (box.style & MB_ICONMASK) != 0;
    LONG width = platform::MessageBoxTextWidth(workArea, screen.dpi, icon);
    LONG height = platform::MessageBoxTextHeight(box.text, width, screen.dpi);
    box.dpi = screen.dpi;
    box.layout = platform::LayOutMessageBox(workArea, screen.dpi, box.buttons.size(), icon, height);
}

void Present(const Box& box)
{
    ShowWindow(box.hwnd, SW_SHOW);
    SetForegroundWindow(box.hwnd);
    SetFocus(box.hwnd);
}

// Runs until the box is answered. As on Windows, the box appears once the
// messages already queued are handled, so a quit posted before it ends the
// box before it is ever seen; a quit retrieved here is posted again so that
// the program's own loop ends too.
void RunModalLoop(Box& box)
{
    MSG msg;
    bool shown = false;
    while (!box.ended) {
        if (!shown && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            Present(box);
            shown = true;
            continue;
        }
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (got < 0)
            return;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void LogShown(const Box& box)
{
    platform::Server().LogEvent("msgbox " + PidField() + " caption=" + sim::QuoteLogText(box.caption) +
                                " text=" + sim::QuoteLogText(box.text) + " style=" + sim::HexLogNumber(box.style));
}

void LogAnswer(int answer)
{
    platform::Server().LogEvent("msgbox-answer " + PidField() + " result=" + std::to_string(answer));
}

HWND CreateBoxWindow(Box& box)
{
    const RECT& r = box.layout.box;
    box.hwnd = CreateWindowExW(WS_EX_TOPMOST, kBoxClass, box.caption.c_str(), WS_POPUP, r.left, r.top,
                               r.right - r.left, r.bottom - r.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (box.hwnd) {
        ShownBoxes().push_back(&box);
        platform::AttachDialogProc(box.hwnd, BoxProc);
    }
    return box.hwnd;
}

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
    Box box;
    box.buttons = platform::MessageBoxButtons(uType);
    if (box.buttons.empty()) {
        SetLastError(ERROR_INVALID_MSGBOX_STYLE);
        return 0;
    }
    box.text = lpText ? lpText : u"";
    box.caption = lpCaption ? lpCaption : kDefaultCaption;
    box.style = uType;
    box.defaultIndex = platform::MessageBoxDefaultIndex(uType, box.buttons.size());
    LayOut(box);

    HWND previous = GetActiveWindow();
    // The owner takes no input while its box is up, as on Windows.
    bool ownerDisabled = hWnd && IsWindow(hWnd) && !EnableWindow(hWnd, FALSE);
    LogShown(box);
    if (!CreateBoxWindow(box)) {
        if (ownerDisabled)
            EnableWindow(hWnd, TRUE);
        LogAnswer(0);
        return 0;
    }
    RunModalLoop(box);

    int answer = box.answer;
    LogAnswer(answer);
    if (IsWindow(box.hwnd))
        DestroyWindow(box.hwnd);
    Forget(&box);
    if (ownerDisabled)
        EnableWindow(hWnd, TRUE);
    if (previous && IsWindow(previous))
        SetForegroundWindow(previous);
    return answer;
}

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    std::u16string text = lpText ? WideFromCp1252(lpText) : std::u16string();
    std::u16string caption = lpCaption ? WideFromCp1252(lpCaption) : std::u16string();
    return MessageBoxW(hWnd, lpText ? text.c_str() : nullptr, lpCaption ? caption.c_str() : nullptr, uType);
}
