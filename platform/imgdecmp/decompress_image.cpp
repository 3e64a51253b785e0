// The library's one export, as the device programs call it.
#include "imgdecmp.h"

#include "data_source.h"
#include "decode_picture.h"
#include "dib_output.h"

namespace {

// FIXME: only 24-bit output is made; other depths are refused. Progress
// callbacks, IImageRender and the transparent colour override are not
// supported either.
bool IsSupportedRequest(const DecompressImageInfo* info)
{
    return info && info->dwSize == sizeof(DecompressImageInfo) && info->phBM && info->pfnGetData && info->pbBuffer &&
           info->dwBufferMax > 0 && info->iBitDepth == 24;
}

}  // namespace

// Whatever fails leaves the caller's bitmap slot as it was.
extern "C" __attribute__((visibility("default"))) HRESULT DecompressImageIndirect(DecompressImageInfo* pParams)
{
    if (!IsSupportedRequest(pParams))
        return E_FAIL;
    imgdecmp::DataSource source(pParams->pfnGetData, pParams->lParam, pParams->pbBuffer, pParams->dwBufferMax);
    std::optional<imgdecmp::Picture> picture =
        imgdecmp::DecodePicture(source, {pParams->iScale, pParams->iMaxWidth, pParams->iMaxHeight});
    if (!picture)
        return E_FAIL;
    HBITMAP bitmap = imgdecmp::CreateDibFrom(pParams->hdc, *picture);
    if (!bitmap)
        return E_FAIL;
    *pParams->phBM = bitmap;
    return S_OK;
}
