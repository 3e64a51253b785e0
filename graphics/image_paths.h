// Where pictures live, relative to the program directory, and which
// variant a high-resolution screen takes. Each call writes one shared
// buffer and returns it: copy the result before the next call.
#pragma once

#include <windows.h>

// "graphics\" + base + "_vga.jpg" on a VGA screen, else + ".jpg".
const WCHAR* GraphicsJpegPath(const WCHAR* base);
// "graphics\" + base + "_vga.tga" on a VGA screen, else + ".tga".
const WCHAR* GraphicsTgaPath(const WCHAR* base);
// "themes\" + theme + "\" + base, "_vga" when allowed on a VGA screen,
// ".jpg" when asked for.
const WCHAR* ThemeJpegPath(const WCHAR* base, const WCHAR* theme, BOOL allowVga, BOOL addExtension);
const WCHAR* ThemeTgaPath(const WCHAR* base, const WCHAR* theme, BOOL allowVga, BOOL addExtension);
