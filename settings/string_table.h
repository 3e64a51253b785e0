// A table of text cells in rows: the language list, the theme list and the
// task list are built on it. Rows and columns are numbered from 1.
#pragma once

#include <windows.h>

struct StringRow {
    // Cells as far as texts were set; cells beyond cellsAllocated are empty.
    WCHAR** cells;
    int cellsAllocated;
    int columnCount;
    StringRow* next;
    StringRow* previous;
};

class StringTable {
public:
    explicit StringTable(int columnCount);
    ~StringTable();

    // A new row of empty cells, appended at the end or linked in right
    // after the given row.
    StringRow* AddRow(StringRow* after = NULL);

    // Stores a copy of text in the cell (or empties it when text is NULL).
    static void SetCell(StringRow* row, int column, const WCHAR* text);

    // The cell's text ("" when empty); NULL when there is no such row or
    // column. Row 0 is the current row, column 0 the current column.
    const WCHAR* GetCell(int row, int column) const;

    // The first row whose cell in column equals text; 0 when none.
    int FindRow(const WCHAR* text, int column, BOOL ignoreCase) const;

    // The first row whose cell in column begins with c, ignoring case.
    int FindRowByInitial(WCHAR c, int column) const;

    // The row with the given number (1 to row count), or NULL.
    StringRow* Row(int number) const;

    void RemoveRow(int number);
    void Clear();

    int currentColumn;
    int currentRow;
    int rowCount;
    StringRow* firstRow;
    StringRow* lastRow;
    int columnCount;

private:
    StringTable(const StringTable&);
    StringTable& operator=(const StringTable&);
};
