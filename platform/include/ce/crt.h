// The CE C runtime's wide-character functions, on 16-bit WCHAR.
//
// Streams are the host's FILE; the wide functions below add the CE text
// mode: 8-bit Windows-1252 on disk, 16-bit characters in memory, CR LF on
// disk for a line feed in memory. fread, fwrite, fseek, ftell, fflush and
// fclose are the host's own and work on these streams unchanged (so fwrite
// is not held to a full object store, which fputws is).
#pragma once

#include <cstdio>
#include <cstdlib>

#include "ce/types.h"

FILE* _wfopen(const WCHAR* filename, const WCHAR* mode);
WCHAR* fgetws(WCHAR* buffer, int count, FILE* stream);
int fputws(const WCHAR* text, FILE* stream);

int wsprintfW(LPWSTR buffer, LPCWSTR format, ...);
#define wsprintf wsprintfW
WCHAR* _itow(int value, WCHAR* buffer, int radix);
WCHAR* _ltow(long value, WCHAR* buffer, int radix);
long _wtol(const WCHAR* text);
int _wtoi(const WCHAR* text);

size_t wcslen(const WCHAR* text);
WCHAR* wcscpy(WCHAR* dest, const WCHAR* src);
WCHAR* wcsncpy(WCHAR* dest, const WCHAR* src, size_t count);
WCHAR* wcscat(WCHAR* dest, const WCHAR* src);
WCHAR* wcsncat(WCHAR* dest, const WCHAR* src, size_t count);
int wcscmp(const WCHAR* a, const WCHAR* b);
int wcsncmp(const WCHAR* a, const WCHAR* b, size_t count);
int _wcsicmp(const WCHAR* a, const WCHAR* b);
int _wcsnicmp(const WCHAR* a, const WCHAR* b, size_t count);
WCHAR* wcschr(const WCHAR* text, WCHAR c);
WCHAR* wcsrchr(const WCHAR* text, WCHAR c);
WCHAR* wcsstr(const WCHAR* text, const WCHAR* search);
WCHAR* _wcsdup(const WCHAR* text);
WCHAR* _wcslwr(WCHAR* text);
WCHAR* _wcsupr(WCHAR* text);
