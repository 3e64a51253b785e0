// Dialogs made from templates: the window, its font and controls laid out
// in dialog units, WM_INITDIALOG; and the modeless CreateDialog calls.
#include <optional>
#include <string>

#include "ce/crt.h"
#include "ce/errors.h"
#include "ce/gdi.h"
#include "ce/resources.h"
#include "device_services.h"
#include "window_frame.h"
#include "dialog_manager.h"
#include "server/event_log.h"
#include "server/wire_records.h"
#include "server_connection.h"

namespace platform {
namespace {

// A template in memory is read no further than this.
constexpr size_t kIndirectTemplateLimit = 1 << 20;
constexpr WORD kTitleOrdinalMark = 0xFFFF;

// Where a dialog goes, in the coordinates CreateWindowEx takes: a child's
// relative to its parent; a pop-up's relative to its owner's client area
// (the screen with DS_ABSALIGN or no owner), or centred in the work area
// with DS_CENTER.
POINT DialogOrigin(const DialogTemplate& t, const DialogState& dialog, HWND parent, SIZE size,
                   const sim::ScreenInfo& screen)
{
    POINT origin = {HorizontalPixels(t.x, dialog.base), VerticalPixels(t.y, dialog.base)};
    if (t.style & WS_CHILD)
        return origin;
    if (t.style & DS_CENTER) {
        return POINT{screen.workLeft + (screen.workRight - screen.workLeft - size.cx) / 2,
                     screen.workTop + (screen.workBottom - screen.workTop - size.cy) / 2};
    }
    if (parent && !(t.style & DS_ABSALIGN))
        ClientToScreen(DialogOwnerOf(parent), &origin);
    return origin;
}

std::u16string ClassOf(const TemplateName& name, const char16_t* fallback)
{
    if (name.isOrdinal)
        return PredefinedClassName(name.ordinal);
    return name.text.empty() ? fallback : name.text;
}

// An ordinal title reaches the control as Win32 passes it: the ordinal
// behind a 0xFFFF mark.
std::u16string TitleOf(const TemplateName& name)
{
    if (!name.isOrdinal)
        return name.text;
    return std::u16string{static_cast<char16_t>(kTitleOrdinalMark), static_cast<char16_t>(name.ordinal)};
}

bool IsDefaultPushButton(const std::u16string& className, DWORD style)
{
    return _wcsicmp(className.c_str(), u"BUTTON") == 0 && (style & 0x0F) == BS_DEFPUSHBUTTON;
}

HWND CreateItem(HINSTANCE module, HWND hwnd, DialogState& dialog, const DialogItemTemplate& item)
{
    std::u16string className = ClassOf(item.windowClass, u"");
    std::u16string title = TitleOf(item.title);
    int x = HorizontalPixels(item.x, dialog.base);
    int y = VerticalPixels(item.y, dialog.base);
    HWND control = CreateWindowExW(item.exStyle, className.c_str(), title.c_str(), item.style | WS_CHILD, x, y,
                                   HorizontalPixels(item.cx, dialog.base), VerticalPixels(item.cy, dialog.base), hwnd,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), module, nullptr);
    if (!control)
        return nullptr;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(dialog.font), FALSE);
    if (!dialog.defaultId && IsDefaultPushButton(className, item.style))
        dialog.defaultId = static_cast<WORD>(item.id);
    return control;
}

bool TakesFirstFocus(DWORD style)
{
    return (style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

void LogCreated(const std::string& logId, const std::u16string& caption)
{
    Server().LogEvent("dialog-create id=" + logId + " caption=" + sim::QuoteLogText(caption));
}

}  // namespace

HWND DialogOwnerOf(HWND parent)
{
    while (parent && (GetWindowLongW(parent, GWL_STYLE) & WS_CHILD))
        parent = GetParent(parent);
    return parent;
}

std::optional<DialogTemplate> LoadDialogTemplate(HINSTANCE module, LPCWSTR name)
{
    HRSRC resource = FindResourceW(module, name, RT_DIALOG);
    if (!resource)
        return std::nullopt;
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
    std::optional<DialogTemplate> parsed =
        ParseDialogTemplate(std::span<const BYTE>(data, data ? SizeofResource(module, resource) : 0));
    if (!parsed)
        SetLastError(ERROR_INVALID_DATA);
    return parsed;
}

std::optional<DialogTemplate> ReadIndirectTemplate(LPCDLGTEMPLATEW memory)
{
    if (!memory) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return std::nullopt;
    }
    std::optional<DialogTemplate> parsed =
        ParseDialogTemplate(std::span<const BYTE>(reinterpret_cast<const BYTE*>(memory), kIndirectTemplateLimit));
    if (!parsed)
        SetLastError(ERROR_INVALID_DATA);
    return parsed;
}

std::string DialogLogId(LPCWSTR name)
{
    if (!name)
        return "0";
    if (IS_INTRESOURCE(name))
        return std::to_string(LOWORD(name));
    return sim::QuoteLogText(std::u16string_view(name));
}

HWND CreateDialogFromTemplate(HINSTANCE module, const DialogTemplate& t, HWND parent, DLGPROC proc, LPARAM param,
                              const std::string& logId)
{
    if (parent && !IsWindow(parent)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    sim::ScreenInfo screen = ScreenFacts();
    DialogState prepared;
    prepared.dpi = screen.dpi;
    prepared.font = CreateDialogFont(t.font, screen.dpi);
    prepared.base = BaseUnitsOf(prepared.font);
    // The template gives the client area; the frame comes around it.
    RECT frame = FrameInsets(t.style, screen.dpi);
    SIZE size = {HorizontalPixels(t.cx, prepared.base) + frame.left + frame.right,
                 VerticalPixels(t.cy, prepared.base) + frame.top + frame.bottom};
    POINT origin = DialogOrigin(t, prepared, parent, size, screen);

    std::u16string className = ClassOf(t.windowClass, u"Dialog");
    HWND hwnd = CreateWindowExW(t.exStyle, className.c_str(), t.caption.c_str(), t.style & ~WS_VISIBLE, origin.x,
                                origin.y, size.cx, size.cy, parent, nullptr, module, nullptr);
    if (!hwnd) {
        DeleteObject(prepared.font);
        return nullptr;
    }
    DialogState& dialog = AddDialog(hwnd);
    dialog = prepared;
    dialog.proc = proc;
    dialog.logId = logId;
    LogCreated(logId, t.caption);

    if (t.font)
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(dialog.font), FALSE);
    HWND firstFocus = nullptr;
    for (const DialogItemTemplate& item : t.items) {
        HWND control = CreateItem(module, hwnd, dialog, item);
        if (!control) {
            DestroyWindow(hwnd);
            return nullptr;
        }
        if (!firstFocus && TakesFirstFocus(item.style))
            firstFocus = control;
    }
    // Focus goes to the first tab stop when the dialog becomes active,
    // unless the procedure has chosen its own.
    LRESULT useDefaultFocus = SendMessageW(hwnd, WM_INITDIALOG, reinterpret_cast<WPARAM>(firstFocus), param);
    DialogState* live = FindDialog(hwnd);
    if (!live)
        return nullptr;
    if (useDefaultFocus)
        live->savedFocus = firstFocus;
    if ((t.style & WS_VISIBLE) && !live->ended) {
        ShowWindow(hwnd, SW_SHOW);
        if (!(t.style & WS_CHILD))
            SetForegroundWindow(hwnd);
    }
    return hwnd;
}

}  // namespace platform

using namespace platform;

HWND CreateDialogIndirectParamW(HINSTANCE hInstance, LPCDLGTEMPLATEW lpTemplate, HWND hWndParent,
                                DLGPROC lpDialogFunc, LPARAM dwInitParam)
{
    std::optional<DialogTemplate> t = ReadIndirectTemplate(lpTemplate);
    if (!t)
        return nullptr;
    return CreateDialogFromTemplate(hInstance, *t, hWndParent, lpDialogFunc, dwInitParam, DialogLogId(nullptr));
}

HWND CreateDialogParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                        LPARAM dwInitParam)
{
    std::optional<DialogTemplate> t = LoadDialogTemplate(hInstance, lpTemplateName);
    if (!t)
        return nullptr;
    return CreateDialogFromTemplate(hInstance, *t, hWndParent, lpDialogFunc, dwInitParam,
                                    DialogLogId(lpTemplateName));
}
