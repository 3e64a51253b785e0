// The welcome page (dialog 1): the welcome text and the language flags,
// the current one inside a pulsing frame.
#pragma once

#include <windows.h>

INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
