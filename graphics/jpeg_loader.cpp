#include "graphics/jpeg_loader.h"

#include <imgdecmp.h>

#include "graphics/shared_resources.h"
#include "settings/program_path.h"

static const DWORD kDecodeBufferSize = 20000;
static BYTE s_decodeBuffer[kDecodeBufferSize];
static HMODULE s_decoderLibrary = NULL;

DWORD CALLBACK ReadJpegData(LPSTR buffer, DWORD count, LPARAM file)
{
    HANDLE handle = (HANDLE)file;
    if (handle == INVALID_HANDLE_VALUE)
        return 0;
    DWORD read = 0;
    if (!ReadFile(handle, buffer, count, &read, NULL))
        return 0;
    return read;
}

int LoadJpegBitmap(const WCHAR* programDirectory, const WCHAR* relativePath, HBITMAP* slot, int scale)
{
    WCHAR path[MAX_PATH];
    if (!ProgramPath(path, programDirectory, relativePath))
        return 0;
    HANDLE file = CreateFile(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;

    HDC dc = SharedImageDc();
    HDC screenDc = NULL;
    if (dc == NULL) {
        screenDc = GetDC(NULL);
        dc = screenDc;
    }

    // The library stays loaded for the life of the process.
    if (s_decoderLibrary == NULL)
        s_decoderLibrary = LoadLibrary(TEXT("Imgdecmp.dll"));
    DECOMPRESSIMAGEINDIRECT decompress = NULL;
    if (s_decoderLibrary)
        decompress = (DECOMPRESSIMAGEINDIRECT)GetProcAddress(s_decoderLibrary, TEXT("DecompressImageIndirect"));

    if (decompress) {
        DecompressImageInfo request;
        memset(&request, 0, sizeof(request));
        request.dwSize = sizeof(request);
        request.pbBuffer = s_decodeBuffer;
        request.dwBufferMax = kDecodeBufferSize;
        request.dwBufferCurrent = 0;
        request.phBM = slot;
        request.ppImageRender = NULL;
        request.iBitDepth = 24;
        request.lParam = (LPARAM)file;
        request.hdc = dc;
        request.iScale = scale;
        request.iMaxWidth = 999;
        request.iMaxHeight = 4100;
        request.pfnGetData = ReadJpegData;
        request.pfnImageProgress = NULL;
        request.crTransparentOverride = (COLORREF)-1;
        // What lands in the slot is the outcome; the result adds nothing.
        decompress(&request);
    }

    CloseHandle(file);
    if (screenDc)
        ReleaseDC(NULL, screenDc);
    return 1;
}
