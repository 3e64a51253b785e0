// LoadBitmapW: a bitmap resource is a BITMAPINFOHEADER, its colour table
// and the bits, as a bitmap file holds them after its file header.
#include <cstring>

#include "ce/errors.h"
#include "ce/gdi.h"
#include "ce/resources.h"

namespace {

// The colour table that follows the header: for up to 8 bits a pixel the
// colours used (all of them when 0); none above.
size_t ColourTableBytes(const BITMAPINFOHEADER& header)
{
    if (header.biBitCount > 8)
        return 0;
    size_t colours = header.biClrUsed ? header.biClrUsed : size_t(1) << header.biBitCount;
    return colours * sizeof(RGBQUAD);
}

}  // namespace

HBITMAP LoadBitmapW(HINSTANCE hInstance, LPCWSTR lpBitmapName)
{
    HRSRC found = FindResourceW(hInstance, lpBitmapName, RT_BITMAP);
    const BYTE* data = found ? static_cast<const BYTE*>(LockResource(LoadResource(hInstance, found))) : nullptr;
    if (!data)
        return nullptr;
    size_t size = SizeofResource(hInstance, found);
    BITMAPINFOHEADER header;
    if (size < sizeof(header)) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    std::memcpy(&header, data, sizeof(header));
    size_t table = ColourTableBytes(header);
    LONG rows = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    size_t rowBytes = (static_cast<size_t>(header.biWidth) * header.biBitCount + 31) / 32 * 4;
    size_t bits = rowBytes * static_cast<size_t>(rows);
    if (header.biSize != sizeof(header) || header.biCompression != BI_RGB || header.biWidth <= 0 || rows == 0 ||
        size < sizeof(header) + table + bits) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    void* pixels = nullptr;
    HBITMAP bitmap =
        CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(data), DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap && pixels)
        std::memcpy(pixels, data + sizeof(header) + table, bits);
    return bitmap;
}
