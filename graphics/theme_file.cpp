#include "graphics/theme_file.h"

#include "graphics/screen_metrics.h"
#include "settings/program_path.h"
#include "settings/string_table_files.h"

ThemeFile::ThemeFile()
{
    name_[0] = 0;
    lines_.head = NULL;
    lines_.tail = NULL;
}

ThemeFile::~ThemeFile()
{
    FreeIniLines(&lines_);
}

// "themes\NAME\NAME_theme.ini" into path (MAX_PATH characters); FALSE when
// it would not fit, since no longer path names a file.
static BOOL ThemeFilePath(WCHAR* path, const WCHAR* name)
{
    static const WCHAR kFolder[] = TEXT("themes\\");
    static const WCHAR kFileEnd[] = TEXT("_theme.ini");
    size_t length = wcslen(kFolder) + 2 * wcslen(name) + 1 + wcslen(kFileEnd);
    if (length >= MAX_PATH)
        return FALSE;
    wcscpy(path, kFolder);
    wcscat(path, name);
    wcscat(path, TEXT("\\"));
    wcscat(path, name);
    wcscat(path, kFileEnd);
    return TRUE;
}

void ThemeFile::Load(const WCHAR* programDirectory, const WCHAR* themeName)
{
    wcsncpy(name_, themeName, THEME_NAME_MAX);
    name_[THEME_NAME_MAX] = 0;
    FreeIniLines(&lines_);
    WCHAR relative[MAX_PATH];
    if (!ThemeFilePath(relative, name_))
        return;
    IniLineList* read = ReadIniLines(programDirectory, relative);
    lines_ = *read;
    delete read;
}

const WCHAR* ThemeFile::Name() const
{
    return name_;
}

const WCHAR* ThemeFile::Text(const WCHAR* key, const WCHAR* suffix) const
{
    if (suffix == NULL)
        suffix = TEXT("");
    size_t keyLength = wcslen(key);
    // Comparing in two parts spares a buffer for key + suffix, which
    // could not hold every key a file may contain.
    for (const IniLine* line = lines_.head; line; line = line->next) {
        if (line->key != NULL && wcsncmp(line->key, key, keyLength) == 0 &&
            wcscmp(line->key + keyLength, suffix) == 0)
            return line->value;
    }
    return NULL;
}

int ThemeFile::Flag(const WCHAR* key) const
{
    const WCHAR* value = Text(key, NULL);
    return value != NULL && _wtol(value) == 1 ? 1 : 0;
}

COLORREF ThemeFile::Colour(const WCHAR* key) const
{
    return ThemeColour(Text(key, NULL));
}

// Where the field starting at field ends: at the next separator or at the
// end of the text.
static const WCHAR* FieldEnd(const WCHAR* field, WCHAR separator)
{
    while (*field != 0 && *field != separator)
        ++field;
    return field;
}

// The colour written in value up to end. _wtol stops at the first
// character that is not a digit, so it never reads past a separator.
static COLORREF ColourOfField(const WCHAR* value, const WCHAR* end)
{
    long components[3] = { 255, 255, 255 };
    const WCHAR* field = value;
    for (int i = 0; i < 3; ++i) {
        while (field < end && *field != TEXT(':'))
            ++field;
        if (field == end)
            break;
        ++field;
        components[i] = _wtol(field);
    }
    // RGB keeps the low 8 bits of each component.
    return RGB(components[0], components[1], components[2]);
}

COLORREF ThemeColour(const WCHAR* value)
{
    if (value == NULL)
        return 0;
    return ColourOfField(value, value + wcslen(value));
}

const WCHAR* VariantSuffix()
{
    if (IsLandscape())
        return TEXT("_landscape");
    if (IsSquareScreen())
        return TEXT("_square");
    return TEXT("");
}

void ParseNameLeftTop(const WCHAR* value, WCHAR* name, int nameSize, int* left, int* top)
{
    if (value == NULL)
        return;
    const WCHAR* end = FieldEnd(value, TEXT(','));
    if (nameSize > 0) {
        size_t length = end - value;
        if (length > (size_t)(nameSize - 1))
            length = nameSize - 1;
        wcsncpy(name, value, length);
        name[length] = 0;
    }
    if (*end == 0)
        return;
    *left = _wtol(end + 1);
    end = FieldEnd(end + 1, TEXT(','));
    if (*end == 0)
        return;
    *top = _wtol(end + 1);
}

static BOOL FieldIs(const WCHAR* field, const WCHAR* end, const WCHAR* word)
{
    size_t length = wcslen(word);
    return (size_t)(end - field) == length && wcsncmp(field, word, length) == 0;
}

void ParsePopupTaskList(const WCHAR* value, PopupTaskListStyle* style)
{
    if (value == NULL)
        return;
    int* integers[] = { &style->left,   &style->top,         &style->width,
                        &style->height, &style->transparent, &style->fontSize };
    const int integerCount = sizeof(integers) / sizeof(integers[0]);
    const WCHAR* field = value;
    for (int number = 1; number <= 9; ++number) {
        const WCHAR* end = FieldEnd(field, TEXT(','));
        if (number <= integerCount)
            *integers[number - 1] = _wtol(field);
        else if (number == 7)
            style->weight = FieldIs(field, end, TEXT("bold")) ? FW_BOLD : FW_NORMAL;
        else if (number == 8)
            style->textColour = ColourOfField(field, end);
        else
            style->selectedTextColour = ColourOfField(field, end);
        if (*end == 0)
            return;
        field = end + 1;
    }
}

void LoadTheme(const WCHAR* programDirectory, ThemeFile** theme, StringTable** themeList)
{
    delete *themeList;
    *themeList = new StringTable(2);
    WCHAR themes[MAX_PATH];
    if (ProgramPath(themes, programDirectory, TEXT("themes")))
        ListSubdirectories(*themeList, themes);

    // The theme file is opened by this name even when no folder matches it.
    const WCHAR* name = GetSetting(TEXT("theme"), TEXT("default"));
    int row = (*themeList)->FindRow(name, 1, FALSE);
    (*themeList)->currentRow = row != 0 ? row : 1;

    if (*theme == NULL)
        *theme = new ThemeFile;
    (*theme)->Load(programDirectory, name);
}
