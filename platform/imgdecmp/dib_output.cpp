#include "dib_output.h"

#include <cstring>

namespace imgdecmp {

HBITMAP CreateDibFrom(HDC hdc, const Picture& picture)
{
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = picture.width;
    format.bmiHeader.biHeight = picture.height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 24;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(hdc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return nullptr;
    size_t stride = (size_t(picture.width) * 3 + 3) & ~size_t(3);
    for (int y = 0; y < picture.height; ++y) {
        const BYTE* rgb = picture.Row(y);
        BYTE* bgr = static_cast<BYTE*>(bits) + stride * (picture.height - 1 - y);
        for (int x = 0; x < picture.width; ++x, rgb += 3, bgr += 3) {
            bgr[0] = rgb[2];
            bgr[1] = rgb[1];
            bgr[2] = rgb[0];
        }
        std::memset(bgr, 0, stride - size_t(picture.width) * 3);
    }
    return bitmap;
}

}  // namespace imgdecmp
