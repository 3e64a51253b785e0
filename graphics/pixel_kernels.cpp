#include "graphics/pixel_kernels.h"

#include "graphics/pixel_rows.h"

static BOOL IsDib24(const BITMAP* bitmap)
{
    return bitmap->bmBitsPixel == 24 && bitmap->bmPlanes == 1 && bitmap->bmBits != NULL;
}

static BOOL SameGeometry(const BITMAP* a, const BITMAP* b)
{
    return a->bmWidth == b->bmWidth && a->bmHeight == b->bmHeight && a->bmPlanes == b->bmPlanes &&
        a->bmBitsPixel == b->bmBitsPixel;
}

static BYTE* RowOf(const BITMAP* bitmap, int row)
{
    return (BYTE*)bitmap->bmBits + (size_t)row * bitmap->bmWidthBytes;
}

static BOOL Contains(const BITMAP* bitmap, int x, int y, int width, int height)
{
    return x >= 0 && y >= 0 && width >= 0 && height >= 0 && x + width <= bitmap->bmWidth &&
        y + height <= bitmap->bmHeight;
}

BOOL KeyedBlend(const BITMAP* source, const BITMAP* background, const BITMAP* destination, UINT alpha)
{
    if (alpha > 255 || !SameGeometry(source, background) || !SameGeometry(source, destination))
        return FALSE;
    if (!IsDib24(source) || !IsDib24(background) || !IsDib24(destination))
        return FALSE;
    for (int row = 0; row < source->bmHeight; ++row)
        KeyedBlendRow(RowOf(source, row), RowOf(background, row), RowOf(destination, row), source->bmWidth, alpha);
    return TRUE;
}

BOOL AlphaComposite(const AlphaImage* image, HBITMAP destination)
{
    BITMAP target;
    if (image == NULL || image->pixels == NULL || GetObject(destination, sizeof(target), &target) != sizeof(target))
        return FALSE;
    // The image must fit the bitmap it is composited into.
    if (!IsDib24(&target) || !Contains(&target, 0, 0, (int)image->width, (int)image->height))
        return FALSE;
    if (image->runCount != 0) {
        AlphaCompositeRuns(image->pixels, (int)image->width, RowOf(&target, 0), target.bmWidthBytes, image->runs,
            image->runCount);
        return TRUE;
    }
    size_t sourceRow = (size_t)image->width * image->bytesPerPixel;
    for (DWORD row = 0; row < image->height; ++row) {
        const BYTE* source = image->pixels + row * sourceRow;
        if (image->bytesPerPixel == 4)
            AlphaCompositeRow(source, RowOf(&target, (int)row), (int)image->width);
        else
            OpaqueCopyRow(source, RowOf(&target, (int)row), (int)image->width);
    }
    return TRUE;
}

BOOL MaskedSheet(const BITMAP* sheet, const BITMAP* background, const BITMAP* destination, UINT alpha, int sx,
    int sy, int width, int height)
{
    if (alpha > 255 || !IsDib24(sheet) || background->bmBits == NULL || destination->bmBits == NULL)
        return FALSE;
    // Rectangles outside the bitmaps would read or write past their pixels.
    int half = sheet->bmWidth / 2;
    if (!Contains(sheet, sx, sy, width, height) || sx + width > half || !IsDib24(background) ||
        !IsDib24(destination) || !Contains(background, 0, 0, width, height) ||
        !Contains(destination, 0, 0, width, height))
        return FALSE;
    for (int row = 0; row < height; ++row) {
        const BYTE* picture = RowOf(sheet, sy + row) + 3 * sx;
        MaskedSheetRow(picture, picture + 3 * half, RowOf(background, row), RowOf(destination, row), width, alpha);
    }
    return TRUE;
}

BOOL SeparateMask(const BITMAP* source, const BITMAP* background, const BITMAP* destination, const BITMAP* mask,
    int channel)
{
    if (!SameGeometry(source, background) || !SameGeometry(source, destination) || !SameGeometry(source, mask))
        return FALSE;
    if (!IsDib24(source) || !IsDib24(background) || !IsDib24(destination) || !IsDib24(mask))
        return FALSE;
    if (channel < 1 || channel > 3)
        return FALSE;
    // Channel 1 is red, the last byte of a B,G,R pixel.
    int maskByte = 3 - channel;
    for (int row = 0; row < source->bmHeight; ++row)
        SeparateMaskRow(RowOf(source, row), RowOf(background, row), RowOf(destination, row), RowOf(mask, row),
            maskByte, source->bmWidth);
    return TRUE;
}

BOOL ColourBlend(const BITMAP* bitmap, COLORREF colour, UINT alpha)
{
    if (alpha > 255 || !IsDib24(bitmap))
        return FALSE;
    const BYTE bgr[3] = { GetBValue(colour), GetGValue(colour), GetRValue(colour) };
    for (int row = 0; row < bitmap->bmHeight; ++row)
        ColourBlendRow(RowOf(bitmap, row), bitmap->bmWidth, bgr, alpha);
    return TRUE;
}
