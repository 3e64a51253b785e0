// Ids of the dialog tests' resources.
#pragma once

#define IDD_CAPTION_OK 500
#define IDD_FORM 501
#define IDD_EXTENDED 502
#define IDD_ALIGNMENTS 503
#define IDD_RADIOS 504
#define IDD_TRUNCATED 600
#define IDD_COUNT_BEYOND 601

#define IDC_FIRST_LINE 444
#define IDC_SECOND_LINE 445
#define IDC_LABEL 1001
#define IDC_MORE 1003
#define IDC_LEFT 1101
#define IDC_CENTRE 1102
#define IDC_RIGHT 1103
#define IDC_PREFIXED 1104
#define IDC_NOPREFIX 1105
#define IDC_RADIO_A 1201
#define IDC_RADIO_B 1202
#define IDC_RADIO_C 1203
