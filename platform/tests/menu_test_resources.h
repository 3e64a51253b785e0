// Identifiers shared by the menu tests' resource script and the tests.
#pragma once

#define IDM_SOFT_KEYS 300
#define IDR_BAR_MENU_AND_PLAIN 301
#define IDR_BAR_TWO_PLAIN 302
#define IDR_BAR_SHORT 303
#define IDR_BAR_MISSING_MENU 304
#define IDR_BAR_BAD_SUBMENU 305
#define IDS_BAR_LEFT 310
#define IDS_BAR_RIGHT 311
