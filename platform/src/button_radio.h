// Automatic radio buttons: the group they check within and their look.
#pragma once

#include <string>

#include "ce/gdi.h"

namespace platform {

bool IsAutoRadio(DWORD style);
// Checks the button and unchecks every other automatic radio button of its
// group: the siblings from the last WS_GROUP at or before it up to the next.
void CheckInGroup(HWND button);
// On the background its parent chooses (WM_CTLCOLORSTATIC, as for a
// static), else on the parent's own.
void DrawRadioButton(HWND hwnd, HDC dc, const RECT& client, const std::u16string& label, bool checked, HFONT font,
                     bool enabled);

}  // namespace platform
