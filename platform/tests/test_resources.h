// Identifiers shared by the test resource scripts and the tests that read them.
#pragma once

#define IDS_GREETING 1
#define IDS_MISSING_IN_BLOCK 2
#define IDS_LAST_OF_FIRST_BLOCK 15
#define IDS_FIRST_OF_SECOND_BLOCK 16
#define IDS_ACCENTED 17
#define IDS_UNKNOWN_BLOCK 4000
#define IDR_BYTES 200
