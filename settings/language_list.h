// The list of languages from "lang\lang.dat"; its current row is the
// selected language. Columns: 1 name, 2 text file, 3 language number,
// 5 end-user agreement file.
#pragma once

#include <windows.h>

#include "settings/string_table.h"

#define LANGUAGE_COLUMN_NAME 1
#define LANGUAGE_COLUMN_TEXT_FILE 2
#define LANGUAGE_COLUMN_NUMBER 3
#define LANGUAGE_COLUMN_AGREEMENT_FILE 5

// Loads the list anew and selects the row of languageNumber, or row 1.
// When the file yields no row: "No Language Dat File" and a posted quit.
void LoadLanguageList(const WCHAR* programDirectory, int languageNumber);

// The process-wide list; NULL before the first load.
StringTable* LanguageList();

void FreeLanguageList();
