// JPEG (and PNG) pictures through the platform's image decompression
// library, streamed from the file through a small buffer.
#pragma once

#include <windows.h>

// Decodes programDirectory + relativePath into *slot at scale percent.
// 1 when the file could be opened (even if it did not decode: the slot
// then stays as it was), 0 when not.
int LoadJpegBitmap(const WCHAR* programDirectory, const WCHAR* relativePath, HBITMAP* slot, int scale);

// The decoder's data callback: one ReadFile from the file handle.
DWORD CALLBACK ReadJpegData(LPSTR buffer, DWORD count, LPARAM file);
