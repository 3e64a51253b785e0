#include "graphics/image_paths.h"

#include "graphics/screen_metrics.h"

static WCHAR s_path[MAX_PATH];

// Appends text to the shared path, cutting it short rather than running
// past the buffer.
static void Append(const WCHAR* text)
{
    size_t length = wcslen(s_path);
    size_t room = MAX_PATH - 1 - length;
    size_t count = wcslen(text);
    if (count > room)
        count = room;
    memcpy(s_path + length, text, count * sizeof(WCHAR));
    s_path[length + count] = 0;
}

static const WCHAR* GraphicsPath(const WCHAR* base, const WCHAR* extension)
{
    s_path[0] = 0;
    Append(TEXT("graphics\\"));
    Append(base);
    if (IsVgaScreen())
        Append(TEXT("_vga"));
    Append(extension);
    return s_path;
}

static const WCHAR* ThemePath(const WCHAR* base, const WCHAR* theme, BOOL allowVga, BOOL addExtension,
    const WCHAR* extension)
{
    s_path[0] = 0;
    Append(TEXT("themes\\"));
    Append(theme);
    Append(TEXT("\\"));
    Append(base);
    if (allowVga && IsVgaScreen())
        Append(TEXT("_vga"));
    if (addExtension)
        Append(extension);
    return s_path;
}

const WCHAR* GraphicsJpegPath(const WCHAR* base)
{
    return GraphicsPath(base, TEXT(".jpg"));
}

const WCHAR* GraphicsTgaPath(const WCHAR* base)
{
    return GraphicsPath(base, TEXT(".tga"));
}

const WCHAR* ThemeJpegPath(const WCHAR* base, const WCHAR* theme, BOOL allowVga, BOOL addExtension)
{
    return ThemePath(base, theme, allowVga, addExtension, TEXT(".jpg"));
}

const WCHAR* ThemeTgaPath(const WCHAR* base, const WCHAR* theme, BOOL allowVga, BOOL addExtension)
{
    return ThemePath(base, theme, allowVga, addExtension, TEXT(".tga"));
}
