// Texts the pages load in the wizard's current language.
#pragma once

#include <windows.h>

// Puts page text (type 102) number + the language's offset into the item.
void SetPageText(HWND page, int item, int textNumber);
// Puts message number + the language's offset into the item.
void SetMessageText(HWND page, int item, int messageId);
