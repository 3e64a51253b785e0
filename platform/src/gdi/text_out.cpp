// ExtTextOutW.
#include "ce/errors.h"
#include "device_context.h"
#include "text_run.h"

using namespace platform;

BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCWSTR lpString, UINT c,
                 const INT* lpDx)
{
    if (!FindDc(hdc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (c > 0 && !lpString) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if ((options & ETO_OPAQUE) && lprect && !FillTextBackground(hdc, *lprect))
        return FALSE;
    if (c == 0)
        return TRUE;
    TextRun run;
    run.x = x;
    run.y = y;
    run.text = std::u16string_view(lpString, c);
    run.advances = lpDx;
    run.clip = (options & ETO_CLIPPED) ? lprect : nullptr;
    return DrawTextRun(hdc, run) ? TRUE : FALSE;
}
