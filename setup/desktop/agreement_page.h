// The agreement page (dialog 2): the licence text and the accept and
// decline choices; Finish only while accept is chosen.
#pragma once

#include <windows.h>

INT_PTR CALLBACK AgreementPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
