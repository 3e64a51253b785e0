// Common controls initialisation. The system creates no common control,
// so there is nothing to register; a malformed record fails as on Windows.
#include <commctrl.h>

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* lpInitCtrls)
{
    return lpInitCtrls != NULL && lpInitCtrls->dwSize == sizeof(INITCOMMONCONTROLSEX);
}
