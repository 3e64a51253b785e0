// The numbered texts of the selected language file.
#pragma once

#include <windows.h>

// Text n is line n of the language text file, the count line being text 1.
struct TextTable {
    WCHAR** texts;  // the lines read, each without its last character
    int stored;     // how many lines were read
    int count;      // the count the file's first line declares
};

// Loads the text file of the language list's current row (from
// programDirectory + "lang\"), falling back to programDirectory + "en.txt".
// When neither opens: "No Language File" and a posted quit.
void LoadTextTable(const WCHAR* programDirectory);

// Frees every text; GetText answers "NotLoaded" afterwards.
void FreeTextTable();

// The text, or "NotLoaded" for a number outside the table.
const WCHAR* GetText(int number);

// The text and its length; a new copy (free with delete[]) when copy is set.
WCHAR* GetTextCopy(int number, int* length, BOOL copy);
