#include "text_convert.h"

#include <cstdint>

namespace platform {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Windows-1252 at 0x80-0x9F. The five bytes the code page leaves undefined
// keep their own value, as Windows' MultiByteToWideChar does, so that any
// byte survives a round trip.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t c)
{
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 | (c >> 10));
        out += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
    }
}

// Decodes one sequence at text[pos] and advances pos. A malformed sequence
// yields one U+FFFD for its longest valid prefix (or for the single bad
// byte), which is how the Unicode standard recommends replacing errors; the
// ranges for the second byte exclude overlong forms, surrogates and values
// above U+10FFFF.
char32_t DecodeUtf8(std::string_view text, size_t& pos)
{
    auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    uint8_t lead = byte(pos++);
    if (lead < 0x80)
        return lead;

    int trailing;
    uint8_t low = 0x80, high = 0xBF;
    char32_t value;
    if (lead >= 0xC2 && lead <= 0xDF) {
        trailing = 1;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trailing = 2;
        value = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;
        if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trailing = 3;
        value = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
    } else {
        return kReplacement;
    }

    for (int i = 0; i < trailing; ++i) {
        if (pos >= text.size() || byte(pos) < low || byte(pos) > high)
            return kReplacement;
        value = (value << 6) | (byte(pos++) & 0x3F);
        low = 0x80;
        high = 0xBF;
    }
    return value;
}

// Decodes one character at pos; nothing when the bytes are not (generalised)
// UTF-8.
std::optional<char32_t> NextGeneralisedCode(std::string_view text, size_t& pos)
{
    auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(pos);
    int extra = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : -1;
    if (extra < 0 || text.size() - pos <= static_cast<size_t>(extra))
        return std::nullopt;
    static constexpr unsigned char kLeadMask[] = {0x7F, 0x1F, 0x0F, 0x07};
    static constexpr uint32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    char32_t code = lead & kLeadMask[extra];
    for (int i = 1; i <= extra; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80)
            return std::nullopt;
        code = (code << 6) | (byte(pos + i) & 0x3F);
    }
    if (code < kMinimum[extra] || code > 0x10FFFF)
        return std::nullopt;
    pos += extra + 1;
    return code;
}

// UTF-8 of text; an unpaired surrogate becomes U+FFFD, or is encoded as it
// stands when keepUnpaired is set.
std::string EncodeUtf8(std::u16string_view text, bool keepUnpaired)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF && !keepUnpaired) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

}  // namespace

std::string Utf8FromUtf16(std::u16string_view text)
{
    return EncodeUtf8(text, false);
}

std::u16string Utf16FromUtf8(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size())
        AppendUtf16(out, DecodeUtf8(text, pos));
    return out;
}

char16_t WideFromCp1252(unsigned char c)
{
    if (c >= 0x80 && c <= 0x9F)
        return kCp1252High[c - 0x80];
    return c;
}

unsigned char Cp1252FromWide(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    }
    return '?';
}

std::u16string WideFromCp1252(std::string_view text)
{
    std::u16string wide;
    wide.reserve(text.size());
    for (char c : text)
        wide += WideFromCp1252(static_cast<unsigned char>(c));
    return wide;
}

std::string Cp1252FromWide(std::u16string_view text)
{
    std::string narrow;
    narrow.reserve(text.size());
    for (char16_t c : text)
        narrow += static_cast<char>(Cp1252FromWide(c));
    return narrow;
}

std::string GeneralisedUtf8FromUtf16(std::u16string_view text)
{
    return EncodeUtf8(text, true);
}

std::optional<std::u16string> Utf16FromGeneralisedUtf8(std::string_view text)
{
    std::u16string out;
    size_t pos = 0;
    while (pos < text.size()) {
        std::optional<char32_t> code = NextGeneralisedCode(text, pos);
        if (!code)
            return std::nullopt;
        AppendUtf16(out, *code);
    }
    return out;
}

}  // namespace platform
