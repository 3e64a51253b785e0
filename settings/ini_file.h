// Settings and theme files: one "key=value" per line, ';' starting a
// comment line, keys compared exactly, nothing trimmed.
#pragma once

#include <windows.h>

struct IniLine {
    WCHAR* key;    // NULL for a comment
    WCHAR* value;  // the text after '='; for a comment the whole text
    IniLine* next;
    // Every line without a key is a comment, skipped by the lookups and
    // written back as it is held: a ';' line, a blank line, the rest of a
    // long line, and a line without '=' with a ';' put before it.
    int comment;
    // The piece was cut at the read limit: the file's line goes on in the
    // next piece, so no line end is written between the two.
    int continues;
};

struct IniLineList {
    IniLine* head;
    IniLine* tail;
};

// The settings file's lines; empty until LoadSettings.
struct SettingsFile {
    IniLineList lines;
    WCHAR path[MAX_PATH];
    WCHAR line[255];
};

// Reads programDirectory + fileName into the process-wide settings file.
// A missing file leaves the list empty, unless a save that was cut short
// left its new file (fileName + ".new"): that one is read and moved into
// place. Always TRUE.
BOOL LoadSettings(const WCHAR* programDirectory, const WCHAR* fileName, BOOL discard);

// Rewrites the file from the list: a new file is written first and only
// then replaces the old one, so a failed write keeps the old file.
void SaveSettings(const WCHAR* programDirectory, const WCHAR* fileName);

// The value of the first line with key, or defaultText. Valid until the
// key is set again or the list is discarded.
const WCHAR* GetSetting(const WCHAR* key, const WCHAR* defaultText);
int GetSettingInt(const WCHAR* key, int defaultValue);

void SetSetting(const WCHAR* key, const WCHAR* value);
void SetSettingInt(const WCHAR* key, int value);

// The settings file's lines, in file order.
const IniLineList* SettingsLines();

// A new list of the non-comment lines of programDirectory + relativePath;
// empty when the file is missing. Free with FreeIniLines and delete.
IniLineList* ReadIniLines(const WCHAR* programDirectory, const WCHAR* relativePath);

// Frees every line of the list and empties it.
void FreeIniLines(IniLineList* list);
