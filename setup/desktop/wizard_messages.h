// The private messages between the wizard frame and its pages.
#pragma once

// Posted by a page to the frame; wParam says what the user asked for.
#define WM_WIZARD_REQUEST 0x0401
#define WIZARD_NEXT 0
#define WIZARD_PREVIOUS 1
#define WIZARD_FINISH 2
#define WIZARD_CANCEL 3

// Sent by a page to itself to load its texts in the current language.
#define WM_REFRESH_TEXTS 0x0464
