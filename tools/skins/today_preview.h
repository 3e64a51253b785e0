// The Today item's strip in each display, single and double row, on QVGA and
// VGA, laid out as the item lays out its pictures.
#pragma once

#include "preview_pictures.h"
#include "sheet_layout.h"

namespace skins {

void AddTodayStrips(SheetLayout& layout, PreviewPictures& pictures);

} // namespace skins
