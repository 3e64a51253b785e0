// Image decompression library ("Imgdecmp.dll"), loaded at run time.
#pragma once

#include "windows.h"

struct IImageRender;

typedef DWORD(CALLBACK* GETDATAFUNC)(LPSTR szBuffer, DWORD dwBufferMax, LPARAM lParam);
typedef void(CALLBACK* PROGRESSFUNC)(struct IImageRender* pRender, BOOL bComplete, LPARAM lParam);

typedef struct tagDecompressImageInfo {
    DWORD dwSize;
    LPBYTE pbBuffer;
    DWORD dwBufferMax;
    DWORD dwBufferCurrent;
    HBITMAP* phBM;
    struct IImageRender** ppImageRender;
    int iBitDepth;
    LPARAM lParam;
    HDC hdc;
    int iScale;
    int iMaxWidth;
    int iMaxHeight;
    GETDATAFUNC pfnGetData;
    PROGRESSFUNC pfnImageProgress;
    COLORREF crTransparentOverride;
} DecompressImageInfo;

typedef HRESULT(CALLBACK* DECOMPRESSIMAGEINDIRECT)(DecompressImageInfo* pParams);
