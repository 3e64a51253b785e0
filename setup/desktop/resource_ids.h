// Resource numbers of pcsetup, shared by its code and its resource script
// (plain defines only: the resource compiler reads this file too).
#pragma once

// Numbered resource types.
#define PAYLOAD_TYPE 100
#define PAYLOAD_NAME_TYPE 101
#define PAGE_TEXT_TYPE 102
#define PRODUCT_TEXT_TYPE 103

// Payloads (types 100 and 101), written in this order.
#define PAYLOAD_INI 1
#define PAYLOAD_UNINSTALLER 2
#define PAYLOAD_CABINET 3

// Page texts (type 102), per language: number + language offset.
#define WELCOME_TEXT 4
#define AGREEMENT_TEXT 5

// Product texts (type 103).
#define PRODUCT_NAME 2
#define WIZARD_TITLE 11

// Dialogs.
#define IDD_WELCOME 1
#define IDD_AGREEMENT 2
#define IDD_WIZARD 151

// Bitmaps.
#define IDB_BANNER 2000
#define IDB_FLAG_ENGLISH 2100
#define IDB_FLAG_FRENCH 2101
#define IDB_FLAG_GERMAN 2102
#define IDB_FLAG_ITALIAN 2103
#define IDB_FLAG_SPANISH 2104

// Controls. Next and Finish are IDOK (1), Cancel is IDCANCEL (2).
#define IDC_PAGE_TEXT 6
#define IDC_BANNER 10030
#define IDC_ACCEPT 10031
#define IDC_DECLINE 10032
#define IDC_BACK 10033
#define IDC_SEPARATOR 10034
#define IDC_FLAG_FRENCH 10036
#define IDC_FLAG_GERMAN 10037
#define IDC_FLAG_ITALIAN 10038
#define IDC_FLAG_SPANISH 10039
#define IDC_FLAG_ENGLISH 10040

// Message table, per language: number + language offset.
#define IDS_NO_APP_MANAGER 1
#define IDS_SETUP 2
#define IDS_NO_DIRECTORY 3
#define IDS_WRITE_FAILED 4
#define IDS_MISSING_INFO 5
#define IDS_NO_UNINSTALL 6
#define IDS_BACK 200
#define IDS_NEXT 201
#define IDS_CANCEL 202
#define IDS_FINISH 203
#define IDS_ACCEPT 204
#define IDS_DECLINE 205
