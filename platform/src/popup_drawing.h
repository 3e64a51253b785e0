// How a popup menu level looks: a framed white panel, its items in the
// device's system font, separators, check marks, submenu arrows, the
// selected item highlighted and, when it scrolls, arrows in its bands.
#pragma once

#include <vector>

#include "ce/types.h"
#include "popup_layout.h"

namespace platform {

// The width of each item's text in the menu face (0 for separators).
std::vector<LONG> MeasurePopupTexts(const std::vector<PopupItemLook>& items, int dpi);

void DrawPopupLevel(HDC dc, const PopupGeometry& geometry, const std::vector<PopupItemLook>& items, LONG offset,
                    int selected, const PopupMetrics& metrics, int dpi);

}  // namespace platform
