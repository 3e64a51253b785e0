// Values shared with the Today item, under HKEY_CURRENT_USER
// "software\QuibSoftware\Trevant" and its sub-key (always "MNT"). Every
// value is text; numbers are stored as decimal text.
#pragma once

#include <windows.h>

#define SETTINGS_SUBKEY TEXT("MNT")

// Registry texts are read into buffers of this many characters.
#define REG_TEXT_MAX 256

// The root key, opened for reading and writing and created if missing;
// NULL on failure.
HKEY OpenSettingsRootKey();

// The named sub-key of the root key, created if missing; NULL on failure.
HKEY OpenSettingsSubKey(const WCHAR* subKey);

// Stores text as valueName; a NULL text deletes the value, a NULL
// valueName deletes the whole sub-key. Failures are silent.
void WriteRegString(const WCHAR* subKey, const WCHAR* valueName, const WCHAR* text);

// The stored text, or a copy of defaultText, in output (REG_TEXT_MAX
// characters). A value that does not fit counts as unreadable.
void ReadRegString(const WCHAR* subKey, const WCHAR* valueName, const WCHAR* defaultText, WCHAR* output);

int ReadRegInt(const WCHAR* valueName, const WCHAR* defaultText, const WCHAR* subKey);
void WriteRegInt(const WCHAR* valueName, int value, const WCHAR* subKey);
