// The font a DC draws text with.
#pragma once

#include "gdi_objects.h"

namespace platform {

// The DC's selected font with its face found (font->face is set); null for
// an unknown DC or when the host has no usable font file.
FontObject* SelectedFont(HDC hdc);

}  // namespace platform
