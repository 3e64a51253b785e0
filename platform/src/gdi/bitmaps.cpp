// DIB sections and bitmaps.
#include <cstring>
#include <limits>

#include "ce/errors.h"
#include "device_context.h"

namespace platform {
namespace {

// Pictures larger than this are refused rather than allocated.
constexpr int64_t kMaxBitmapBytes = 256 * 1024 * 1024;

HBITMAP NewBitmap(int width, int height, int bitsPerPixel, bool bottomUp, bool dibSection)
{
    // A DIB section of one bit would need its colour table.
    bool depthKnown = bitsPerPixel == 24 || bitsPerPixel == 32 || (bitsPerPixel == 1 && !dibSection);
    if (width <= 0 || height <= 0 || !depthKnown) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // DIB rows are 32-bit aligned, those of other bitmaps 16-bit aligned.
    int alignBits = dibSection ? 32 : 16;
    int64_t stride = ((static_cast<int64_t>(width) * bitsPerPixel + alignBits - 1) / alignBits) * (alignBits / 8);
    int64_t bytes = stride * height;
    if (bytes > kMaxBitmapBytes) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    auto bitmap = std::make_unique<BitmapObject>();
    bitmap->storage.reset(new (std::nothrow) uint8_t[static_cast<size_t>(bytes)]());
    if (!bitmap->storage) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    bitmap->surface.bits = bitmap->storage.get();
    bitmap->surface.width = width;
    bitmap->surface.height = height;
    bitmap->surface.stride = static_cast<int>(stride);
    bitmap->surface.bitsPerPixel = bitsPerPixel;
    bitmap->surface.bottomUp = bottomUp;
    bitmap->dibSection = dibSection;
    return static_cast<HBITMAP>(AddGdiObject(std::move(bitmap)));
}

}  // namespace
}  // namespace platform

using namespace platform;

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection, DWORD)
{
    if (ppvBits)
        *ppvBits = nullptr;
    if (!pbmi || usage != DIB_RGB_COLORS || hSection || pbmi->bmiHeader.biSize < sizeof(BITMAPINFOHEADER) ||
        pbmi->bmiHeader.biPlanes != 1 ||
        (pbmi->bmiHeader.biCompression != BI_RGB && pbmi->bmiHeader.biCompression != BI_BITFIELDS) ||
        pbmi->bmiHeader.biHeight == std::numeric_limits<LONG>::min()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const BITMAPINFOHEADER& header = pbmi->bmiHeader;
    // A positive height is a bottom-up picture, a negative one top-down.
    bool bottomUp = header.biHeight > 0;
    int height = bottomUp ? header.biHeight : -header.biHeight;
    HBITMAP handle = NewBitmap(header.biWidth, height, header.biBitCount, bottomUp, true);
    if (!handle)
        return nullptr;
    BitmapObject* bitmap = FindGdiObjectOf<BitmapObject>(handle, GdiType::Bitmap);
    bitmap->header = header;
    bitmap->header.biSize = sizeof(BITMAPINFOHEADER);
    bitmap->header.biSizeImage = static_cast<DWORD>(bitmap->surface.stride) * height;
    if (ppvBits)
        *ppvBits = bitmap->surface.bits;
    return handle;
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy)
{
    // The screen is 24 bits; a memory DC gives the depth of the bitmap in
    // it, which is monochrome for a new one.
    DeviceContext* dc = FindDc(hdc);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    int bitsPerPixel = 24;
    if (dc->kind == DcKind::Memory) {
        BitmapObject* selected = FindGdiObjectOf<BitmapObject>(dc->bitmap, GdiType::Bitmap);
        bitsPerPixel = selected ? selected->surface.bitsPerPixel : 1;
    }
    return NewBitmap(cx, cy, bitsPerPixel, false, false);
}

HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits)
{
    if (nPlanes != 1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HBITMAP handle = NewBitmap(nWidth, nHeight, static_cast<int>(nBitCount), false, false);
    if (handle && lpBits) {
        // The given rows are word-aligned, as the bitmap's own.
        const Surface& surface = FindGdiObjectOf<BitmapObject>(handle, GdiType::Bitmap)->surface;
        std::memcpy(surface.bits, lpBits, static_cast<size_t>(surface.stride) * static_cast<size_t>(surface.height));
    }
    return handle;
}
