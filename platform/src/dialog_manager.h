// The dialog manager's record of each dialog of this process, kept beside
// the window from its creation from a template until WM_DESTROY.
#pragma once

#include <optional>
#include <string>

#include "ce/dialogs.h"
#include "dialog_template.h"
#include "dialog_units.h"

namespace platform {

struct DialogState {
    DLGPROC proc = nullptr;
    HFONT font = nullptr;  // the dialog's own, deleted with it
    DialogBaseUnits base;
    int dpi = 96;
    HWND savedFocus = nullptr;  // where the focus goes back on activation
    WORD defaultId = 0;        // 0: none; DM_SETDEFID changes it
    std::string logId;         // the template's resource id, as the event log shows it
    HWND disabledOwner = nullptr;  // a modal dialog's owner, until EndDialog
    bool ended = false;
    INT_PTR result = 0;
};

DialogState* FindDialog(HWND hwnd);
// A fresh record for a window of the dialog class; WM_DESTROY drops it.
DialogState& AddDialog(HWND hwnd);
// Registers a window made by the dialog class outside of a template, for
// message boxes: proc sees its messages as a dialog procedure does.
void AttachDialogProc(HWND hwnd, DLGPROC proc);

// The predefined dialog class, "Dialog"; the system classes register it.
void RegisterDialogClass();

// Creates the dialog, its controls and sends WM_INITDIALOG; shows it when
// the template has WS_VISIBLE. Null (with the last error set) when the
// window or one of its controls cannot be made.
HWND CreateDialogFromTemplate(HINSTANCE module, const DialogTemplate& dialog, HWND parent, DLGPROC proc,
                              LPARAM param, const std::string& logId);

// Whether hwnd is the dialog or a child window inside it.
bool IsDialogOrInside(HWND dialog, HWND hwnd);

// The top-level window a dialog's parent handle stands for: the parent
// itself, or the top-level window above a child.
HWND DialogOwnerOf(HWND parent);

// The template of a dialog resource of the module; empty, with the last
// error set, when it is missing (FindResourceW's error) or malformed
// (ERROR_INVALID_DATA).
std::optional<DialogTemplate> LoadDialogTemplate(HINSTANCE module, LPCWSTR name);
// Reads a template given in memory, whose size nobody knows.
std::optional<DialogTemplate> ReadIndirectTemplate(LPCDLGTEMPLATEW memory);

// How the event log names a template: its number, a name in quotes, or 0
// for a template given in memory.
std::string DialogLogId(LPCWSTR name);

}  // namespace platform
