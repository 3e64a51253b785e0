#include "settings/ini_file.h"

#include "settings/program_path.h"

#define INI_LINE_MAX 255

static SettingsFile g_settings;

static WCHAR* CopyText(const WCHAR* text, size_t length)
{
    WCHAR* copy = new WCHAR[length + 1];
    wcsncpy(copy, text, length);
    copy[length] = 0;
    return copy;
}

static void FreeLine(IniLine* line)
{
    delete[] line->key;
    delete[] line->value;
    delete line;
}

void FreeIniLines(IniLineList* list)
{
    IniLine* line = list->head;
    while (line) {
        IniLine* next = line->next;
        FreeLine(line);
        line = next;
    }
    list->head = NULL;
    list->tail = NULL;
}

static void AppendLine(IniLineList* list, IniLine* line)
{
    line->next = NULL;
    if (list->tail)
        list->tail->next = line;
    else
        list->head = line;
    list->tail = line;
}

static IniLine* NewLine(WCHAR* key, WCHAR* value, int comment, int continues)
{
    IniLine* line = new IniLine;
    line->key = key;
    line->value = value;
    line->next = NULL;
    line->comment = comment;
    line->continues = continues;
    return line;
}

// The line with a ';' before it.
static WCHAR* CommentedOut(const WCHAR* text)
{
    size_t length = wcslen(text);
    WCHAR* comment = new WCHAR[length + 2];
    comment[0] = TEXT(';');
    wcscpy(comment + 1, text);
    return comment;
}

// One piece read from the file, line end removed; restOfLine when it goes
// on a line begun in the piece before. A line of its own without '=' is
// reported and kept as a comment, so that writing the file back keeps the
// text and the next start does not report it again. A blank line and the
// rest of a long line are kept as they stand.
static IniLine* ParseLine(const WCHAR* text, int continues, BOOL restOfLine)
{
    BOOL comment = text[0] == TEXT(';');
    const WCHAR* equals = comment ? NULL : wcschr(text, TEXT('='));
    if (equals != NULL)
        return NewLine(CopyText(text, equals - text), CopyText(equals + 1, wcslen(equals + 1)), 0, continues);
    if (comment || restOfLine || text[0] == 0)
        return NewLine(NULL, CopyText(text, wcslen(text)), 1, continues);
    MessageBoxW(NULL, text, TEXT("Theme Error"), MB_OK);
    return NewLine(NULL, CommentedOut(text), 1, continues);
}

// Reads every line of the file at path into list. Without keepComments
// only lines with a key are kept.
static void ReadLines(const WCHAR* path, IniLineList* list, BOOL keepComments)
{
    FILE* file = _wfopen(path, TEXT("r"));
    if (file == NULL)
        return;
    WCHAR* buffer = g_settings.line;
    // The piece kept last, while the file's line it belongs to goes on.
    IniLine* continued = NULL;
    // The piece read last was cut at the read limit.
    BOOL inLine = FALSE;
    while (fgetws(buffer, INI_LINE_MAX, file) != NULL) {
        size_t length = wcslen(buffer);
        BOOL ended = length > 0 && buffer[length - 1] == TEXT('\n');
        if (ended)
            buffer[--length] = 0;
        // Only a piece cut at the read limit goes on; the end of the file
        // (or a NUL) ends a line as well.
        int continues = !ended && length == INI_LINE_MAX - 1;

        if (inLine && length == 0) {
            // Just the line end of a line that filled the limit exactly.
            if (continued)
                continued->continues = 0;
            continued = NULL;
            inLine = FALSE;
            continue;
        }
        IniLine* line = ParseLine(buffer, continues, inLine);
        inLine = continues;
        if (!keepComments && line->key == NULL) {
            // A theme's list holds keyed lines only.
            FreeLine(line);
            continued = NULL;
            continue;
        }
        AppendLine(list, line);
        continued = continues ? line : NULL;
    }
    // The end of the file ends its last line, whatever its length.
    if (continued)
        continued->continues = 0;
    fclose(file);
}

// A save that stopped between removing the old file and moving the new one
// into its place left the settings in the new file: it is moved now, or
// read where it is when it cannot be moved.
static const WCHAR* SettingsSource(const WCHAR* path, WCHAR* newPath)
{
    if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES || !ProgramPath(newPath, path, TEXT(".new")))
        return path;
    if (GetFileAttributesW(newPath) == INVALID_FILE_ATTRIBUTES || MoveFileW(newPath, path))
        return path;
    return newPath;
}

BOOL LoadSettings(const WCHAR* programDirectory, const WCHAR* fileName, BOOL discard)
{
    if (discard)
        FreeIniLines(&g_settings.lines);
    WCHAR newPath[MAX_PATH];
    if (ProgramPath(g_settings.path, programDirectory, fileName))
        ReadLines(SettingsSource(g_settings.path, newPath), &g_settings.lines, TRUE);
    return TRUE;
}

IniLineList* ReadIniLines(const WCHAR* programDirectory, const WCHAR* relativePath)
{
    IniLineList* list = new IniLineList;
    list->head = NULL;
    list->tail = NULL;
    WCHAR path[MAX_PATH];
    if (ProgramPath(path, programDirectory, relativePath))
        ReadLines(path, list, FALSE);
    return list;
}

const IniLineList* SettingsLines()
{
    return &g_settings.lines;
}

static IniLine* FindLine(const WCHAR* key)
{
    for (IniLine* line = g_settings.lines.head; line; line = line->next) {
        if (line->key != NULL && wcscmp(line->key, key) == 0)
            return line;
    }
    return NULL;
}

const WCHAR* GetSetting(const WCHAR* key, const WCHAR* defaultText)
{
    IniLine* line = FindLine(key);
    return line ? line->value : defaultText;
}

int GetSettingInt(const WCHAR* key, int defaultValue)
{
    IniLine* line = FindLine(key);
    return line ? (int)_wtol(line->value) : defaultValue;
}

// Drops the pieces that carried the rest of a long line's old value.
static void DropContinuation(IniLine* line)
{
    while (line->continues && line->next) {
        IniLine* piece = line->next;
        line->next = piece->next;
        line->continues = piece->continues;
        if (g_settings.lines.tail == piece)
            g_settings.lines.tail = line;
        FreeLine(piece);
    }
    line->continues = 0;
}

void SetSetting(const WCHAR* key, const WCHAR* value)
{
    if (value == NULL)
        value = TEXT("");
    IniLine* line = FindLine(key);
    if (line != NULL) {
        delete[] line->value;
        line->value = CopyText(value, wcslen(value));
        DropContinuation(line);
        return;
    }
    AppendLine(&g_settings.lines, NewLine(CopyText(key, wcslen(key)), CopyText(value, wcslen(value)), 0, 0));
}

void SetSettingInt(const WCHAR* key, int value)
{
    WCHAR text[12];
    _itow(value, text, 10);
    SetSetting(key, text);
}

// Writes the lines to a new file at path; FALSE when any write failed.
static BOOL WriteLines(const WCHAR* path, const IniLineList* list)
{
    FILE* file = _wfopen(path, TEXT("w"));
    if (file == NULL)
        return FALSE;
    BOOL ok = TRUE;
    for (const IniLine* line = list->head; line && ok; line = line->next) {
        if (line->key != NULL) {
            ok = fputws(line->key, file) >= 0 && fputws(TEXT("="), file) >= 0;
        }
        ok = ok && fputws(line->value, file) >= 0;
        if (ok && line->next != NULL && !line->continues)
            ok = fputws(TEXT("\n"), file) >= 0;
    }
    if (fflush(file) != 0)
        ok = FALSE;
    if (fclose(file) != 0)
        ok = FALSE;
    return ok;
}

void SaveSettings(const WCHAR* programDirectory, const WCHAR* fileName)
{
    WCHAR path[MAX_PATH];
    WCHAR newPath[MAX_PATH];
    if (!ProgramPath(path, programDirectory, fileName) || !ProgramPath(newPath, path, TEXT(".new")))
        return;
    if (!WriteLines(newPath, &g_settings.lines)) {
        DeleteFileW(newPath);
        return;
    }
    // The device's MoveFile does not replace: the old file goes first.
    DeleteFileW(path);
    MoveFileW(newPath, path);
}
