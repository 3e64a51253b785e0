// Any file handed to the image decompression library, as a program asks
// for a picture: the call either delivers a 24-bit DIB section within the
// requested size or leaves the caller's slot alone.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "imgdecmp.h"
#include "windows.h"

extern "C" HRESULT DecompressImageIndirect(DecompressImageInfo* pParams);

namespace {

constexpr DWORD kBufferSize = 20000;
// Short reads make the library gather signatures and headers from
// several pieces.
constexpr size_t kPiece = 1000;
constexpr int kMaxWidth = 999;
constexpr int kMaxHeight = 4100;

struct Feed {
    const uint8_t* data;
    size_t size;
    size_t offset;
};

DWORD CALLBACK Serve(LPSTR szBuffer, DWORD dwBufferMax, LPARAM lParam)
{
    Feed* feed = reinterpret_cast<Feed*>(lParam);
    size_t count = std::min({size_t(dwBufferMax), kPiece, feed->size - feed->offset});
    std::memcpy(szBuffer, feed->data + feed->offset, count);
    feed->offset += count;
    return static_cast<DWORD>(count);
}

BYTE buffer[kBufferSize];

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Feed feed{data, size, 0};
    HBITMAP bitmap = nullptr;
    DecompressImageInfo info = {};
    info.dwSize = sizeof info;
    info.pbBuffer = buffer;
    info.dwBufferMax = kBufferSize;
    info.phBM = &bitmap;
    info.iBitDepth = 24;
    info.lParam = reinterpret_cast<LPARAM>(&feed);
    info.iScale = 100;
    info.iMaxWidth = kMaxWidth;
    info.iMaxHeight = kMaxHeight;
    info.pfnGetData = Serve;
    info.crTransparentOverride = (COLORREF)-1;
    HRESULT result = DecompressImageIndirect(&info);
    if (result != S_OK) {
        if (bitmap)
            abort();
        return 0;
    }
    DIBSECTION section;
    if (!bitmap || GetObjectW(bitmap, sizeof section, &section) != int(sizeof section) ||
        section.dsBmih.biBitCount != 24 || section.dsBm.bmWidth < 1 || section.dsBm.bmWidth > kMaxWidth ||
        section.dsBmih.biHeight < 1 || section.dsBmih.biHeight > kMaxHeight)
        abort();
    DeleteObject(bitmap);
    return 0;
}
