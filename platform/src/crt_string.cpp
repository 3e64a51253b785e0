// The CE C runtime's wcs* functions and number conversions on 16-bit WCHAR.
#include "ce/crt.h"

#include <cstdint>
#include <cstring>

namespace {

// Case folding covers ASCII and the Latin-1 letters, which is what the
// device's text (Western European languages) needs; U+00D7 and U+00F7 are
// the multiplication and division signs, not letters.
WCHAR FoldLower(WCHAR c)
{
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<WCHAR>(c + 0x20);
    return c;
}

WCHAR FoldUpper(WCHAR c)
{
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<WCHAR>(c - 0x20);
    return c;
}

bool IsBlank(WCHAR c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// Writes the digits of value (most significant first) with a leading minus
// when negative is set. An unsupported radix gives an empty string.
WCHAR* FormatUnsigned(uint32_t value, bool negative, WCHAR* buffer, int radix)
{
    WCHAR* out = buffer;
    if (radix < 2 || radix > 36) {
        *out = 0;
        return buffer;
    }
    if (negative)
        *out++ = u'-';
    WCHAR digits[33];
    int count = 0;
    do {
        uint32_t digit = value % radix;
        digits[count++] = static_cast<WCHAR>(digit < 10 ? u'0' + digit : u'a' + digit - 10);
        value /= radix;
    } while (value != 0);
    while (count > 0)
        *out++ = digits[--count];
    *out = 0;
    return buffer;
}

}  // namespace

size_t wcslen(const WCHAR* text)
{
    const WCHAR* end = text;
    while (*end)
        ++end;
    return static_cast<size_t>(end - text);
}

WCHAR* wcscpy(WCHAR* dest, const WCHAR* src)
{
    WCHAR* out = dest;
    while ((*out++ = *src++) != 0) {
    }
    return dest;
}

// Like strncpy: pads with zeros up to count, no terminator when src is at
// least count long.
WCHAR* wcsncpy(WCHAR* dest, const WCHAR* src, size_t count)
{
    size_t i = 0;
    for (; i < count && src[i]; ++i)
        dest[i] = src[i];
    for (; i < count; ++i)
        dest[i] = 0;
    return dest;
}

WCHAR* wcscat(WCHAR* dest, const WCHAR* src)
{
    wcscpy(dest + wcslen(dest), src);
    return dest;
}

// Appends at most count characters and always terminates.
WCHAR* wcsncat(WCHAR* dest, const WCHAR* src, size_t count)
{
    WCHAR* out = dest + wcslen(dest);
    for (size_t i = 0; i < count && src[i]; ++i)
        *out++ = src[i];
    *out = 0;
    return dest;
}

int wcscmp(const WCHAR* a, const WCHAR* b) { return wcsncmp(a, b, SIZE_MAX); }

int wcsncmp(const WCHAR* a, const WCHAR* b, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
        if (a[i] == 0)
            break;
    }
    return 0;
}

int _wcsicmp(const WCHAR* a, const WCHAR* b) { return _wcsnicmp(a, b, SIZE_MAX); }

int _wcsnicmp(const WCHAR* a, const WCHAR* b, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        WCHAR ca = FoldLower(a[i]);
        WCHAR cb = FoldLower(b[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            break;
    }
    return 0;
}

// Searching for 0 finds the terminator, as in the C library.
WCHAR* wcschr(const WCHAR* text, WCHAR c)
{
    for (;; ++text) {
        if (*text == c)
            return const_cast<WCHAR*>(text);
        if (*text == 0)
            return nullptr;
    }
}

WCHAR* wcsrchr(const WCHAR* text, WCHAR c)
{
    const WCHAR* found = nullptr;
    for (;; ++text) {
        if (*text == c)
            found = text;
        if (*text == 0)
            return const_cast<WCHAR*>(found);
    }
}

WCHAR* wcsstr(const WCHAR* text, const WCHAR* search)
{
    size_t length = wcslen(search);
    for (; *text; ++text) {
        if (wcsncmp(text, search, length) == 0)
            return const_cast<WCHAR*>(text);
    }
    return length == 0 ? const_cast<WCHAR*>(text) : nullptr;
}

WCHAR* _wcsdup(const WCHAR* text)
{
    if (!text)
        return nullptr;
    size_t bytes = (wcslen(text) + 1) * sizeof(WCHAR);
    auto* copy = static_cast<WCHAR*>(malloc(bytes));
    if (copy)
        memcpy(copy, text, bytes);
    return copy;
}

WCHAR* _wcslwr(WCHAR* text)
{
    for (WCHAR* p = text; *p; ++p)
        *p = FoldLower(*p);
    return text;
}

WCHAR* _wcsupr(WCHAR* text)
{
    for (WCHAR* p = text; *p; ++p)
        *p = FoldUpper(*p);
    return text;
}

// As in the Microsoft C runtime, only radix 10 writes a sign; any other
// radix shows the 32-bit pattern of the value as unsigned.
WCHAR* _itow(int value, WCHAR* buffer, int radix)
{
    int32_t v = static_cast<int32_t>(value);
    if (radix == 10 && v < 0)
        return FormatUnsigned(0u - static_cast<uint32_t>(v), true, buffer, radix);
    return FormatUnsigned(static_cast<uint32_t>(v), false, buffer, radix);
}

// The device's long is 32 bits; a wider host long is cut to that size.
WCHAR* _ltow(long value, WCHAR* buffer, int radix) { return _itow(static_cast<int32_t>(value), buffer, radix); }

// Like wcstol in base 10: a value out of the device's 32-bit long range
// saturates at LONG_MAX or LONG_MIN of that range.
long _wtol(const WCHAR* text)
{
    while (IsBlank(*text))
        ++text;
    bool negative = *text == u'-';
    if (*text == u'-' || *text == u'+')
        ++text;
    const int64_t limit = negative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX;
    int64_t magnitude = 0;
    for (; *text >= u'0' && *text <= u'9'; ++text) {
        magnitude = magnitude * 10 + (*text - u'0');
        if (magnitude > limit)
            magnitude = limit;
    }
    return static_cast<long>(negative ? -magnitude : magnitude);
}

int _wtoi(const WCHAR* text) { return static_cast<int>(_wtol(text)); }
