// The end-user agreement's text, as the agreement page shows it.
#pragma once

#include <windows.h>

// Wide characters the text may take, its terminator included.
#define AGREEMENT_TEXT_MAX 40000
// Characters read from the file at a time.
#define AGREEMENT_LINE_MAX 4096

// Reads the file at path in text mode into text (capacity characters with
// the terminator): every line ends in CR LF, the last one too, a line's
// own line feed dropped. What does not fit is left out, never a half line
// end. A file that does not open gives an empty text; FALSE then.
BOOL ReadAgreementText(const WCHAR* path, WCHAR* text, int capacity);
