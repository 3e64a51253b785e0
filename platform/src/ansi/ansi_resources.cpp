// Resource calls of desktop programs with 8-bit text.
#include <string>
#include <vector>

#include "ansi/ansi_text.h"
#include "ce/errors.h"
#include "ce/resources.h"
#include "ce/user.h"

HRSRC FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType)
{
    platform::AnsiName name(lpName);
    platform::AnsiName type(lpType);
    return FindResourceW(hModule, name.get(), type.get());
}

int LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax)
{
    // The 8-bit form has no read-only pointer answer: it always copies.
    if (!lpBuffer || cchBufferMax <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::vector<WCHAR> wide(static_cast<size_t>(cchBufferMax));
    int length = LoadStringW(hInstance, uID, wide.data(), cchBufferMax);
    return platform::CopyAnsi(std::u16string(wide.data(), static_cast<size_t>(length)), lpBuffer, cchBufferMax);
}
