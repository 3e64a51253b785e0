// Identifiers shared by the test resource scripts and the tests that read them.
#pragma once

#define IDS_GREETING 1
#define IDS_MISSING_IN_BLOCK 2
#define IDS_LAST_OF_FIRST_BLOCK 15
#define IDS_FIRST_OF_SECOND_BLOCK 16
#define IDS_ACCENTED 17
#define IDS_UNKNOWN_BLOCK 4000
#define IDR_BYTES 200
#define IDM_SOFT_KEYS 300
#define IDR_BAR_MENU_AND_PLAIN 301
#define IDR_BAR_TWO_PLAIN 302
#define IDR_BAR_SHORT 303
#define IDR_BAR_MISSING_MENU 304
#define IDR_BAR_BAD_SUBMENU 305
#define IDS_BAR_LEFT 310
#define IDS_BAR_RIGHT 311
