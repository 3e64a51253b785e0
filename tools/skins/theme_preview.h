// Each theme as the device shows it: the main page and the task page on the
// stretched background in the theme's text colour, and the popup task list
// over a Today screen on every screen form.
#pragma once

#include "rgba_image.h"

#include <string>

namespace skins {

// themesDir holds the theme folders with their theme files.
RgbaImage ThemeSheet(const std::string& themesDir);

} // namespace skins
