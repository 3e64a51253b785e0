#include "settings/string_table_files.h"

#include "settings/number_format.h"
#include "settings/program_path.h"

// Lines of a table file are read at most this long, terminator included.
#define TABLE_LINE_MAX 20480

static WCHAR g_tableLine[TABLE_LINE_MAX];

static int CountCharacter(const WCHAR* text, WCHAR c)
{
    int count = 0;
    for (; *text; ++text) {
        if (*text == c)
            ++count;
    }
    return count;
}

// Stores the fields of line, split at separator, into the row's columns;
// fields beyond the row's column count are dropped.
static void StoreFields(StringRow* row, WCHAR* line, WCHAR separator)
{
    WCHAR* field = line;
    for (int column = 1; column <= row->columnCount; ++column) {
        WCHAR* end = wcschr(field, separator);
        if (end != NULL)
            *end = 0;
        StringTable::SetCell(row, column, field);
        if (end == NULL)
            break;
        field = end + 1;
    }
}

int LoadStringTableFile(StringTable* table, const WCHAR* programDirectory, const WCHAR* relativePath,
                        WCHAR separator, BOOL stripQuotes)
{
    WCHAR path[MAX_PATH];
    if (!ProgramPath(path, programDirectory, relativePath))
        return 0;
    FILE* file = _wfopen(path, TEXT("r"));
    if (file == NULL)
        return 0;

    BOOL first = TRUE;
    while (fgetws(g_tableLine, TABLE_LINE_MAX, file) != NULL) {
        size_t length = wcslen(g_tableLine);
        if (length > 0 && g_tableLine[length - 1] == TEXT('\n'))
            g_tableLine[length - 1] = 0;
        if (first) {
            table->columnCount = 1 + CountCharacter(g_tableLine, separator);
            first = FALSE;
        }
        if (stripQuotes)
            RemoveCharacter(g_tableLine, TEXT('"'));
        StoreFields(table->AddRow(), g_tableLine, separator);
    }
    fclose(file);
    return first ? 0 : table->columnCount;
}

void ListSubdirectories(StringTable* table, const WCHAR* directory)
{
    WCHAR pattern[MAX_PATH];
    if (!ProgramPath(pattern, directory, TEXT("\\*.*")))
        return;

    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || found.cFileName[0] == TEXT('.'))
            continue;
        WCHAR folder[MAX_PATH];
        WCHAR path[MAX_PATH];
        if (!ProgramPath(folder, directory, TEXT("\\")) || !ProgramPath(path, folder, found.cFileName))
            continue;
        StringRow* row = table->AddRow();
        StringTable::SetCell(row, 1, found.cFileName);
        StringTable::SetCell(row, 2, path);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}
