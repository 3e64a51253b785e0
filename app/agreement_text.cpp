#include "app/agreement_text.h"

#include <stdio.h>

// Appends as much of piece as fits, keeping room for the terminator.
static BOOL Append(WCHAR* text, int* length, int capacity, const WCHAR* piece, int pieceLength)
{
    int room = capacity - 1 - *length;
    BOOL whole = pieceLength <= room;
    int count = whole ? pieceLength : room;
    for (int i = 0; i < count; ++i)
        text[*length + i] = piece[i];
    *length += count;
    text[*length] = 0;
    return whole;
}

// CR LF, whole or not at all.
static BOOL EndLine(WCHAR* text, int* length, int capacity)
{
    if (*length + 2 > capacity - 1)
        return FALSE;
    return Append(text, length, capacity, TEXT("\r\n"), 2);
}

BOOL ReadAgreementText(const WCHAR* path, WCHAR* text, int capacity)
{
    if (capacity <= 0)
        return FALSE;
    text[0] = 0;
    FILE* file = _wfopen(path, TEXT("r"));
    if (file == NULL)
        return FALSE;
    WCHAR line[AGREEMENT_LINE_MAX];
    int length = 0;
    // A line longer than one read goes on in the next piece; a short piece
    // without a line feed ends the file or was cut by a NUL.
    BOOL lineOpen = FALSE;
    BOOL full = FALSE;
    while (!full && fgetws(line, AGREEMENT_LINE_MAX, file) != NULL) {
        int lineLength = (int)wcslen(line);
        BOOL lineEnd = lineLength > 0 && line[lineLength - 1] == TEXT('\n');
        if (lineEnd)
            --lineLength;
        full = !Append(text, &length, capacity, line, lineLength);
        lineOpen = !lineEnd && lineLength == AGREEMENT_LINE_MAX - 1;
        if (!full && !lineOpen)
            full = !EndLine(text, &length, capacity);
    }
    if (!full && lineOpen)
        EndLine(text, &length, capacity);
    fclose(file);
    return TRUE;
}
