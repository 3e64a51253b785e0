// The "EDIT" window: its text, lines and scroll position live here, by
// window; the lines are laid out again only when the text or the width
// changes, so that a paint draws only the lines that show.
#include "edit_control.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "ce/dialogs.h"
#include "ce/gdi.h"
#include "ce/text.h"
#include "ce/windowing.h"
#include "edit_layout.h"
#include "edit_scroll_bar.h"
#include "message_box_drawing.h"
#include "server/wire_records.h"
#include "server_connection.h"

namespace platform {
namespace {

constexpr char16_t kEditClass[] = u"EDIT";

struct Edit {
    DWORD style = 0;
    int dpi = 96;
    HFONT font = nullptr;
    LONG lineHeight = 1;
    std::unordered_map<char16_t, LONG> widths;  // advances measured so far
    std::u16string text;
    std::vector<EditLine> lines;
    LONG laidOutWidth = -1;
    EditScroll scroll;
    bool dragging = false;
    size_t selectionStart = 0;  // the selection is kept, not drawn
    size_t selectionEnd = 0;
    LONG dragOffset = 0;  // stylus to the thumb's top while it is dragged
};

std::map<HWND, std::unique_ptr<Edit>>& Edits()
{
    static std::map<HWND, std::unique_ptr<Edit>> edits;
    return edits;
}

Edit* EditOf(HWND hwnd)
{
    auto it = Edits().find(hwnd);
    return it == Edits().end() ? nullptr : it->second.get();
}

int ScreenDpi()
{
    std::string reply = Call(sim::Op::Screen, sim::WireWriter());
    sim::WireReader in(reply);
    return sim::ReadScreen(in).dpi;
}

LONG Margin(const Edit& edit) { return 2 * edit.dpi / 96; }

RECT ClientOf(HWND hwnd)
{
    RECT client{};
    GetClientRect(hwnd, &client);
    return client;
}

RECT BarRect(const Edit& edit, const RECT& client)
{
    if (!(edit.style & WS_VSCROLL))
        return RECT{client.right, client.top, client.right, client.bottom};
    return RECT{client.right - GetSystemMetrics(SM_CXVSCROLL), client.top, client.right, client.bottom};
}

RECT TextRect(const Edit& edit, const RECT& client)
{
    RECT bar = BarRect(edit, client);
    LONG margin = Margin(edit);
    return RECT{client.left + margin, client.top + margin, bar.left - margin, client.bottom - margin};
}

// Advances come from one DC with the font, each character measured once.
class Measurer {
public:
    explicit Measurer(Edit& edit) : edit_(edit), dc_(CreateCompatibleDC(nullptr))
    {
        previous_ = SelectObject(dc_, edit.font);
    }
    ~Measurer()
    {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    LONG operator()(char16_t c)
    {
        auto known = edit_.widths.find(c);
        if (known != edit_.widths.end())
            return known->second;
        SIZE size{};
        GetTextExtentPoint32W(dc_, &c, 1, &size);
        edit_.widths[c] = size.cx;
        return size.cx;
    }

private:
    Edit& edit_;
    HDC dc_;
    HGDIOBJ previous_;
};

void UpdateRange(HWND hwnd, Edit& edit)
{
    RECT text = TextRect(edit, ClientOf(hwnd));
    LONG height = std::max<LONG>(text.bottom - text.top, 0);
    edit.scroll.SetRange(edit.lines.size(), static_cast<size_t>(height / edit.lineHeight));
}

void LayOut(HWND hwnd, Edit& edit, bool textChanged)
{
    RECT text = TextRect(edit, ClientOf(hwnd));
    LONG width = std::max<LONG>(text.right - text.left, 1);
    if (textChanged || width != edit.laidOutWidth) {
        Measurer measure(edit);
        // Without ES_MULTILINE the text is one line that never wraps.
        LONG wrapAt = (edit.style & ES_MULTILINE) ? width : LONG{0x7FFFFFFF};
        edit.lines = LayOutEditText(edit.text, wrapAt, [&](char16_t c) { return measure(c); });
        edit.laidOutWidth = width;
    }
    UpdateRange(hwnd, edit);
}

void Scrolled(HWND hwnd, bool moved)
{
    if (moved)
        InvalidateRect(hwnd, nullptr, FALSE);
}

void DrawArrow(HDC dc, const RECT& r, bool up)
{
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    LONG cx = (r.left + r.right) / 2;
    LONG half = std::max<LONG>((r.right - r.left) / 4, 1);
    LONG tip = (r.top + r.bottom) / 2 + (up ? -half / 2 : half / 2);
    for (LONG row = 0; row < half; ++row) {
        LONG y = up ? tip + row : tip - row;
        MoveToEx(dc, cx - row, y, nullptr);
        LineTo(dc, cx + row + 1, y);
    }
    SelectObject(dc, oldPen);
}

void DrawBar(HDC dc, const Edit& edit, const RECT& bar)
{
    ScrollBarParts parts = LayOutScrollBar(bar, edit.scroll);
    FillRect(dc, &bar, GetSysColorBrush(COLOR_SCROLLBAR));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(COLOR_BTNFACE));
    Rectangle(dc, parts.up.left, parts.up.top, parts.up.right, parts.up.bottom);
    Rectangle(dc, parts.down.left, parts.down.top, parts.down.right, parts.down.bottom);
    if (parts.thumb.bottom > parts.thumb.top)
        Rectangle(dc, parts.thumb.left, parts.thumb.top, parts.thumb.right, parts.thumb.bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DrawArrow(dc, parts.up, true);
    DrawArrow(dc, parts.down, false);
}

void Paint(HWND hwnd, Edit& edit)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT client = ClientOf(hwnd);
    RECT bar = BarRect(edit, client);
    RECT area = {client.left, client.top, bar.left, client.bottom};
    FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
    RECT text = TextRect(edit, client);
    HGDIOBJ oldFont = SelectObject(dc, edit.font);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkMode(dc, TRANSPARENT);
    IntersectClipRect(dc, text.left, text.top, text.right, text.bottom);
    size_t last = std::min(edit.lines.size(), edit.scroll.Top() + edit.scroll.PageLines() + 1);
    for (size_t i = edit.scroll.Top(); i < last; ++i) {
        const EditLine& line = edit.lines[i];
        LONG y = text.top + static_cast<LONG>(i - edit.scroll.Top()) * edit.lineHeight;
        ExtTextOutW(dc, text.left, y, 0, nullptr, edit.text.c_str() + line.start, static_cast<UINT>(line.length),
                    nullptr);
    }
    SelectObject(dc, oldFont);
    SelectClipRgn(dc, nullptr);
    if (edit.style & WS_VSCROLL)
        DrawBar(dc, edit, bar);
    EndPaint(hwnd, &paint);
}

void OnStylusDown(HWND hwnd, Edit& edit, POINT at)
{
    SetFocus(hwnd);
    if (!(edit.style & WS_VSCROLL))
        return;
    ScrollBarParts parts = LayOutScrollBar(BarRect(edit, ClientOf(hwnd)), edit.scroll);
    long page = static_cast<long>(edit.scroll.PageLines());
    switch (HitScrollBar(parts, at)) {
    case ScrollBarHit::LineUp: Scrolled(hwnd, edit.scroll.ScrollBy(-1)); break;
    case ScrollBarHit::LineDown: Scrolled(hwnd, edit.scroll.ScrollBy(1)); break;
    case ScrollBarHit::PageUp: Scrolled(hwnd, edit.scroll.ScrollBy(-page)); break;
    case ScrollBarHit::PageDown: Scrolled(hwnd, edit.scroll.ScrollBy(page)); break;
    case ScrollBarHit::Thumb:
        edit.dragging = true;
        edit.dragOffset = at.y - parts.thumb.top;
        SetCapture(hwnd);
        break;
    case ScrollBarHit::None: break;
    }
}

void OnStylusMove(HWND hwnd, Edit& edit, POINT at)
{
    if (!edit.dragging)
        return;
    ScrollBarParts parts = LayOutScrollBar(BarRect(edit, ClientOf(hwnd)), edit.scroll);
    Scrolled(hwnd, edit.scroll.ScrollTo(TopForThumb(parts, edit.scroll, at.y - edit.dragOffset)));
}

void OnStylusUp(HWND hwnd, Edit& edit)
{
    if (!edit.dragging)
        return;
    edit.dragging = false;
    if (GetCapture() == hwnd)
        ReleaseCapture();
}

bool OnKey(HWND hwnd, Edit& edit, WPARAM key)
{
    long page = static_cast<long>(edit.scroll.PageLines());
    switch (key) {
    case VK_UP: Scrolled(hwnd, edit.scroll.ScrollBy(-1)); return true;
    case VK_DOWN: Scrolled(hwnd, edit.scroll.ScrollBy(1)); return true;
    case VK_PRIOR: Scrolled(hwnd, edit.scroll.ScrollBy(-page)); return true;
    case VK_NEXT: Scrolled(hwnd, edit.scroll.ScrollBy(page)); return true;
    default: return false;
    }
}

LRESULT OnCreate(HWND hwnd, const CREATESTRUCTW& create)
{
    auto edit = std::make_unique<Edit>();
    edit->style = static_cast<DWORD>(create.style);
    edit->dpi = ScreenDpi();
    edit->font = CreateMessageBoxFont(edit->dpi, false);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, edit->font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    DeleteDC(dc);
    edit->lineHeight = std::max<LONG>(metrics.tmHeight + metrics.tmExternalLeading, 1);
    edit->text = create.lpszName ? create.lpszName : u"";
    Edit& made = *edit;
    Edits()[hwnd] = std::move(edit);
    LayOut(hwnd, made, true);
    return 0;
}

void OnDestroy(HWND hwnd)
{
    Edit* edit = EditOf(hwnd);
    if (edit && edit->font)
        DeleteObject(edit->font);
    Edits().erase(hwnd);
}

LRESULT CopyText(const Edit& edit, LPWSTR buffer, WPARAM size)
{
    if (!buffer || size == 0)
        return 0;
    size_t count = std::min(edit.text.size(), static_cast<size_t>(size - 1));
    std::copy_n(edit.text.begin(), count, buffer);
    buffer[count] = 0;
    return static_cast<LRESULT>(count);
}

// EM_SETSEL: -1 as start removes the selection, leaving the caret at its
// end; -1 as end (or any end past the text) selects to the end.
void SetSelection(Edit& edit, WPARAM start, LPARAM end)
{
    if (static_cast<int>(start) == -1) {
        edit.selectionStart = edit.selectionEnd;
        return;
    }
    size_t length = edit.text.size();
    size_t from = std::min(static_cast<size_t>(static_cast<DWORD>(start)), length);
    size_t to = static_cast<int>(end) < 0 ? length : std::min(static_cast<size_t>(static_cast<DWORD>(end)), length);
    edit.selectionStart = std::min(from, to);
    edit.selectionEnd = std::max(from, to);
}

LRESULT GetSelection(const Edit& edit, WPARAM startOut, LPARAM endOut)
{
    if (startOut)
        *reinterpret_cast<DWORD*>(startOut) = static_cast<DWORD>(edit.selectionStart);
    if (endOut)
        *reinterpret_cast<DWORD*>(endOut) = static_cast<DWORD>(edit.selectionEnd);
    return MAKELONG(edit.selectionStart, edit.selectionEnd);
}

void Notify(HWND hwnd, WORD code)
{
    SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), reinterpret_cast<LPARAM>(hwnd));
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CREATE)
        return OnCreate(hwnd, *reinterpret_cast<CREATESTRUCTW*>(lParam));
    Edit* edit = EditOf(hwnd);
    if (!edit)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
    case WM_SETTEXT:
        edit->text = lParam ? reinterpret_cast<LPCWSTR>(lParam) : u"";
        edit->scroll.ScrollTo(0);
        edit->selectionStart = edit->selectionEnd = 0;
        LayOut(hwnd, *edit, true);
        InvalidateRect(hwnd, nullptr, FALSE);
        return TRUE;
    case WM_GETTEXT: return CopyText(*edit, reinterpret_cast<LPWSTR>(lParam), wParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(edit->text.size());
    case EM_SETSEL: SetSelection(*edit, wParam, lParam); return 0;
    case EM_GETSEL: return GetSelection(*edit, wParam, lParam);
    case WM_SETFOCUS: Notify(hwnd, EN_SETFOCUS); return 0;
    case WM_KILLFOCUS: Notify(hwnd, EN_KILLFOCUS); return 0;
    case EM_GETLINECOUNT: return static_cast<LRESULT>(edit->lines.size());
    case EM_GETFIRSTVISIBLELINE: return static_cast<LRESULT>(edit->scroll.Top());
    case EM_LINESCROLL:
        Scrolled(hwnd, edit->scroll.ScrollBy(static_cast<long>(lParam)));
        return TRUE;
    case WM_SIZE:
        LayOut(hwnd, *edit, false);
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_PAINT: Paint(hwnd, *edit); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_KEYDOWN:
        if (OnKey(hwnd, *edit, wParam))
            return 0;
        break;
    case WM_LBUTTONDOWN: OnStylusDown(hwnd, *edit, at); return 0;
    case WM_MOUSEMOVE: OnStylusMove(hwnd, *edit, at); return 0;
    case WM_LBUTTONUP: OnStylusUp(hwnd, *edit); return 0;
    case WM_DESTROY: OnDestroy(hwnd); return 0;
    default: break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

bool RegisterEditClass()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = EditProc;
    wc.lpszClassName = kEditClass;
    return RegisterClassW(&wc) != 0;
}

}  // namespace platform
