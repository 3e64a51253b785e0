// Resources compiled into a module.
#pragma once

#include "ce/types.h"

#define RT_STRING MAKEINTRESOURCEW(6)
#define RT_RCDATA MAKEINTRESOURCEW(10)
#define RT_MENU MAKEINTRESOURCEW(4)
#define RT_DIALOG MAKEINTRESOURCEW(5)
#define RT_BITMAP MAKEINTRESOURCEW(2)
#define IS_INTRESOURCE(r) ((((ULONG_PTR)(r)) >> 16) == 0)

HMODULE GetModuleHandleW(LPCWSTR lpModuleName);
HRSRC FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType);
HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo);
DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo);
LPVOID LockResource(HGLOBAL hResData);
int LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax);
// 8-bit forms, converted through code page 1252.
HRSRC FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
int LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax);

#define GetModuleHandle GetModuleHandleW
#define FindResource FindResourceW
#define LoadString LoadStringW
