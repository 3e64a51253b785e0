#include "settings/text_table.h"

#include "settings/language_list.h"
#include "settings/program_path.h"

// Lines of a language file are read at most this long, terminator included.
#define TEXT_LINE_MAX 255

static TextTable g_textTable = {NULL, 0, 0};
static WCHAR g_textLine[TEXT_LINE_MAX];

static const WCHAR kNotLoaded[] = TEXT("NotLoaded");

void FreeTextTable()
{
    for (int i = 0; i < g_textTable.stored; ++i)
        delete[] g_textTable.texts[i];
    delete[] g_textTable.texts;
    g_textTable.texts = NULL;
    g_textTable.stored = 0;
    g_textTable.count = 0;
}

static FILE* OpenLanguageTextFile(const WCHAR* programDirectory)
{
    WCHAR path[MAX_PATH];
    StringTable* languages = LanguageList();
    const WCHAR* fileName = languages ? languages->GetCell(0, 2) : NULL;
    if (fileName != NULL) {
        WCHAR relative[MAX_PATH];
        if (wcslen(fileName) + 5 < MAX_PATH) {
            wcscpy(relative, TEXT("lang\\"));
            wcscat(relative, fileName);
            if (ProgramPath(path, programDirectory, relative)) {
                FILE* file = _wfopen(path, TEXT("r"));
                if (file != NULL)
                    return file;
            }
        }
    }
    if (!ProgramPath(path, programDirectory, TEXT("en.txt")))
        return NULL;
    return _wfopen(path, TEXT("r"));
}

// A copy of the line read without its last character (the line end).
static WCHAR* CopyLineText(const WCHAR* line)
{
    size_t length = wcslen(line);
    if (length > 0)
        --length;
    WCHAR* text = new WCHAR[length + 1];
    wcsncpy(text, line, length);
    text[length] = 0;
    return text;
}

// Appends a text, growing the array as lines arrive: the declared count
// is only an upper bound, so a huge count never allocates by itself.
static void StoreText(WCHAR* text, int* capacity)
{
    if (g_textTable.stored == *capacity) {
        int grown = *capacity == 0 ? 64 : *capacity * 2;
        WCHAR** texts = new WCHAR*[grown];
        for (int i = 0; i < g_textTable.stored; ++i)
            texts[i] = g_textTable.texts[i];
        delete[] g_textTable.texts;
        g_textTable.texts = texts;
        *capacity = grown;
    }
    g_textTable.texts[g_textTable.stored++] = text;
}

void LoadTextTable(const WCHAR* programDirectory)
{
    FreeTextTable();

    FILE* file = OpenLanguageTextFile(programDirectory);
    if (file == NULL) {
        MessageBoxW(NULL, TEXT("No Language File"), TEXT("Language"), MB_OK);
        PostQuitMessage(0);
        return;
    }

    if (fgetws(g_textLine, TEXT_LINE_MAX, file) != NULL) {
        long count = _wtol(g_textLine);
        if (count > 0) {
            g_textTable.count = (int)count;
            int capacity = 0;
            StoreText(CopyLineText(g_textLine), &capacity);
            // The count line and count texts: stored runs up to count + 1.
            while (g_textTable.stored <= g_textTable.count && fgetws(g_textLine, TEXT_LINE_MAX, file) != NULL)
                StoreText(CopyLineText(g_textLine), &capacity);
        }
    }
    fclose(file);
}

const WCHAR* GetText(int number)
{
    if (g_textTable.count == 0 || number < 1 || number > g_textTable.count || number > g_textTable.stored)
        return kNotLoaded;
    return g_textTable.texts[number - 1];
}

WCHAR* GetTextCopy(int number, int* length, BOOL copy)
{
    const WCHAR* text = GetText(number);
    int textLength = (int)wcslen(text);
    if (length != NULL)
        *length = textLength;
    if (!copy)
        return (WCHAR*)text;
    WCHAR* result = new WCHAR[textLength + 1];
    wcscpy(result, text);
    return result;
}
