// Filling string tables from separated text files and folder listings.
#pragma once

#include <windows.h>

#include "settings/string_table.h"

// Appends a row per line of programDirectory + relativePath, fields split
// at separator. The first line fixes the column count. Answers the column
// count, or 0 when the file cannot be opened or is empty.
int LoadStringTableFile(StringTable* table, const WCHAR* programDirectory, const WCHAR* relativePath,
                        WCHAR separator, BOOL stripQuotes);

// Appends a row per subdirectory of directory not beginning with '.':
// column 1 its name, column 2 directory + "\" + name.
void ListSubdirectories(StringTable* table, const WCHAR* directory);
