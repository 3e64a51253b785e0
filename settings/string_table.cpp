#include "settings/string_table.h"

static const WCHAR kEmptyCell[] = TEXT("");

static void FreeRow(StringRow* row)
{
    for (int i = 0; i < row->cellsAllocated; ++i)
        delete[] row->cells[i];
    delete[] row->cells;
    delete row;
}

// Case folding for the letters the device's code page has.
static WCHAR FoldCase(WCHAR c)
{
    if (c >= TEXT('A') && c <= TEXT('Z'))
        return (WCHAR)(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return (WCHAR)(c + 32);
    return c;
}

StringTable::StringTable(int columns)
    : currentColumn(0), currentRow(0), rowCount(0), firstRow(NULL), lastRow(NULL), columnCount(columns)
{
}

StringTable::~StringTable()
{
    Clear();
}

StringRow* StringTable::AddRow(StringRow* after)
{
    StringRow* row = new StringRow;
    row->cells = NULL;
    row->cellsAllocated = 0;
    row->columnCount = columnCount;
    if (after == NULL || after == lastRow) {
        row->previous = lastRow;
        row->next = NULL;
        if (lastRow)
            lastRow->next = row;
        else
            firstRow = row;
        lastRow = row;
    } else {
        row->previous = after;
        row->next = after->next;
        after->next->previous = row;
        after->next = row;
    }
    ++rowCount;
    return row;
}

void StringTable::SetCell(StringRow* row, int column, const WCHAR* text)
{
    if (row == NULL || column < 1 || column > row->columnCount)
        return;
    if (column > row->cellsAllocated) {
        if (text == NULL)
            return;
        WCHAR** cells = new WCHAR*[column];
        for (int i = 0; i < column; ++i)
            cells[i] = i < row->cellsAllocated ? row->cells[i] : NULL;
        delete[] row->cells;
        row->cells = cells;
        row->cellsAllocated = column;
    }
    delete[] row->cells[column - 1];
    row->cells[column - 1] = NULL;
    if (text != NULL) {
        WCHAR* copy = new WCHAR[wcslen(text) + 1];
        wcscpy(copy, text);
        row->cells[column - 1] = copy;
    }
}

StringRow* StringTable::Row(int number) const
{
    if (number < 1 || number > rowCount)
        return NULL;
    StringRow* row = firstRow;
    for (int i = 1; i < number && row; ++i)
        row = row->next;
    return row;
}

// The cell's stored text, NULL when the cell is empty or outside the row.
static const WCHAR* StoredCell(const StringRow* row, int column)
{
    if (column < 1 || column > row->cellsAllocated)
        return NULL;
    return row->cells[column - 1];
}

const WCHAR* StringTable::GetCell(int row, int column) const
{
    const StringRow* found = Row(row == 0 ? currentRow : row);
    int cell = column == 0 ? currentColumn : column;
    if (found == NULL || cell < 1 || cell > found->columnCount)
        return NULL;
    const WCHAR* text = StoredCell(found, cell);
    return text ? text : kEmptyCell;
}

static BOOL TextsEqualIgnoringCase(const WCHAR* a, const WCHAR* b)
{
    for (; *a && *b; ++a, ++b) {
        if (FoldCase(*a) != FoldCase(*b))
            return FALSE;
    }
    return *a == *b;
}

int StringTable::FindRow(const WCHAR* text, int column, BOOL ignoreCase) const
{
    if (text == NULL)
        return 0;
    int number = 1;
    for (const StringRow* row = firstRow; row; row = row->next, ++number) {
        const WCHAR* cell = StoredCell(row, column);
        if (cell == NULL || cell[0] == 0)
            continue;
        if (ignoreCase ? TextsEqualIgnoringCase(cell, text) : wcscmp(cell, text) == 0)
            return number;
    }
    return 0;
}

int StringTable::FindRowByInitial(WCHAR c, int column) const
{
    int number = 1;
    for (const StringRow* row = firstRow; row; row = row->next, ++number) {
        const WCHAR* cell = StoredCell(row, column);
        if (cell != NULL && cell[0] != 0 && FoldCase(cell[0]) == FoldCase(c))
            return number;
    }
    return 0;
}

void StringTable::RemoveRow(int number)
{
    StringRow* row = Row(number);
    if (row == NULL)
        return;
    if (row->previous)
        row->previous->next = row->next;
    else
        firstRow = row->next;
    if (row->next)
        row->next->previous = row->previous;
    else
        lastRow = row->previous;
    FreeRow(row);
    --rowCount;
    if (currentRow > rowCount)
        currentRow = rowCount;
}

void StringTable::Clear()
{
    StringRow* row = firstRow;
    while (row) {
        StringRow* next = row->next;
        FreeRow(row);
        row = next;
    }
    firstRow = NULL;
    lastRow = NULL;
    rowCount = 0;
}
