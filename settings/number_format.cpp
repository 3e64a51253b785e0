#include "settings/number_format.h"

// Working buffers hold this many characters, terminator included.
#define NUMBER_TEXT_MAX 256

// The locale's separator of the given kind; 0 when the platform has none
// that fits in one character.
static WCHAR ReadSeparator(LCTYPE kind)
{
    WCHAR separator[2] = {0, 0};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, kind, separator, 2) == 0)
        return 0;
    return separator[0];
}

void FormatFixed(double value, int decimals, WCHAR* text, int textSize, BOOL localise)
{
    static const WCHAR* const formats[] = {
        TEXT("%.0f"), TEXT("%.1f"), TEXT("%.2f"), TEXT("%.3f"),
        TEXT("%.4f"), TEXT("%.5f"), TEXT("%.6f"), TEXT("%.7f"),
    };
    if (text == NULL || textSize <= 0)
        return;

    const WCHAR* format = (decimals >= 0 && decimals <= 7) ? formats[decimals] : TEXT("%.8f");
    // wsprintfW writes at most 1024 characters, so this cannot overflow.
    WCHAR formatted[1024];
    wsprintfW(formatted, format, value);
    wcsncpy(text, formatted, textSize - 1);
    text[textSize - 1] = 0;

    if (localise)
        LocaliseDecimal(text);
}

void LocaliseDecimal(WCHAR* text)
{
    if (text == NULL)
        return;
    WCHAR separator = ReadSeparator(LOCALE_SDECIMAL);
    // Without a separator from the platform the '.' stays: replacing it by
    // 0 would cut the number short.
    if (separator == TEXT('.') || separator == 0)
        return;
    for (WCHAR* p = text; *p; ++p) {
        if (*p == TEXT('.'))
            *p = separator;
    }
}

void FormatInteger(int value, WCHAR* text)
{
    _itow(value, text, 10);
    LocaliseDecimal(text);
}

void RemoveCharacter(WCHAR* text, WCHAR c)
{
    WCHAR* out = text;
    for (const WCHAR* in = text; *in; ++in) {
        if (*in != c)
            *out++ = *in;
    }
    *out = 0;
}

void CanonicaliseNumber(WCHAR* text)
{
    WCHAR decimal = ReadSeparator(LOCALE_SDECIMAL);
    WCHAR thousands = ReadSeparator(LOCALE_STHOUSAND);

    WCHAR* out = text;
    for (const WCHAR* in = text; *in; ++in) {
        WCHAR c = *in;
        if (c == TEXT('.') || c == TEXT('-') || (decimal != 0 && c == decimal) || (c >= TEXT('0') && c <= TEXT('9')))
            *out++ = c;
    }
    *out = 0;

    if (thousands != 0)
        RemoveCharacter(text, thousands);

    if (decimal != 0 && decimal != TEXT('.') && text[0] != 0) {
        for (WCHAR* p = text; *p; ++p) {
            if (*p == decimal)
                *p = TEXT('.');
        }
    }
}

int ParseLocalisedInteger(const WCHAR* text)
{
    WCHAR number[NUMBER_TEXT_MAX];
    if (text == NULL)
        return 0;
    wcsncpy(number, text, NUMBER_TEXT_MAX - 1);
    number[NUMBER_TEXT_MAX - 1] = 0;
    CanonicaliseNumber(number);
    return (int)_wtol(number);
}
