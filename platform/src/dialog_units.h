// Dialog units: a quarter of the dialog font's average character width
// across, an eighth of its character height down.
#pragma once

#include <optional>

#include "ce/types.h"
#include "dialog_template.h"

namespace platform {

struct DialogBaseUnits {
    LONG x = 1;  // the font's average character width
    LONG y = 1;  // the font's character height
};

// The base units of a font, as GetTextMetricsW measures it.
DialogBaseUnits BaseUnitsOf(HFONT font);

// number * numerator / denominator, rounded half away from zero, as
// MulDiv computes it; -1 when the denominator is 0.
LONG ScaleRounded(LONG number, LONG numerator, LONG denominator);

LONG HorizontalPixels(LONG units, const DialogBaseUnits& base);
LONG VerticalPixels(LONG units, const DialogBaseUnits& base);

// The font a dialog is laid out and drawn with at the screen's dpi: the
// template's face and points with DS_SETFONT, else the system font (the
// SYSTEM_FONT face, scaled from 96 dpi). The caller deletes it.
HFONT CreateDialogFont(const std::optional<DialogFontTemplate>& font, int dpi);

}  // namespace platform
