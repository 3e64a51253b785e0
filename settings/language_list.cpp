#include "settings/language_list.h"

#include "settings/number_format.h"
#include "settings/string_table_files.h"

static StringTable* g_languageList = NULL;

StringTable* LanguageList()
{
    return g_languageList;
}

void FreeLanguageList()
{
    delete g_languageList;
    g_languageList = NULL;
}

void LoadLanguageList(const WCHAR* programDirectory, int languageNumber)
{
    FreeLanguageList();
    g_languageList = new StringTable(6);
    LoadStringTableFile(g_languageList, programDirectory, TEXT("lang\\lang.dat"), TEXT('~'), FALSE);

    WCHAR number[12];
    FormatInteger(languageNumber, number);
    int row = g_languageList->FindRow(number, LANGUAGE_COLUMN_NUMBER, FALSE);
    g_languageList->currentRow = row != 0 ? row : 1;

    if (g_languageList->rowCount == 0) {
        MessageBoxW(NULL, TEXT("No Language Dat File"), TEXT("Language"), MB_OK);
        PostQuitMessage(0);
    }
}
