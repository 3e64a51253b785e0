// The desktop's conversion from 16-bit text to its 8-bit code page.
#include <string>

#include "ansi/ansi_text.h"
#include "ce/errors.h"
#include "ce/files.h"
#include "ce/status.h"
#include "text_convert.h"

// Only the desktop's own code page (CP_ACP, 1252) is known. A length of -1
// converts up to and including the terminator; an output size of 0 asks
// for the size needed.
int WideCharToMultiByte(UINT CodePage, DWORD, LPCWSTR lpWideCharStr, int cchWideChar, LPSTR lpMultiByteStr,
                        int cbMultiByte, LPCSTR, LPBOOL lpUsedDefaultChar)
{
    if ((CodePage != CP_ACP && CodePage != 1252) || !lpWideCharStr || cbMultiByte < 0 ||
        (cbMultiByte > 0 && !lpMultiByteStr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::u16string wide = cchWideChar < 0 ? std::u16string(lpWideCharStr) + u'\0'
                                          : std::u16string(lpWideCharStr, static_cast<size_t>(cchWideChar));
    std::string narrow = platform::Cp1252FromWide(wide);
    if (lpUsedDefaultChar) {
        *lpUsedDefaultChar = FALSE;
        for (size_t i = 0; i < wide.size(); ++i) {
            if (narrow[i] == '?' && wide[i] != u'?')
                *lpUsedDefaultChar = TRUE;
        }
    }
    if (cbMultiByte == 0)
        return static_cast<int>(narrow.size());
    if (narrow.size() > static_cast<size_t>(cbMultiByte)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    narrow.copy(lpMultiByteStr, narrow.size());
    return static_cast<int>(narrow.size());
}

DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize)
{
    WCHAR wide[MAX_PATH];
    DWORD length = GetModuleFileNameW(hModule, wide, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 0;
    return static_cast<DWORD>(platform::CopyAnsi(std::u16string(wide, length), lpFilename, static_cast<int>(nSize)));
}
