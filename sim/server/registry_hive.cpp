// The text hive. Lines end in LF when written; CR LF is accepted when read.
// Names are written in a generalised UTF-8 that also carries unpaired
// surrogates, so every name the registry holds comes back unchanged; string
// values take the quoted form only when they are well-formed UTF-16.
#include "registry_hive.h"

#include <optional>

#include "ce/registry.h"
#include "text_convert.h"

namespace sim {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr char kHexDigits[] = "0123456789abcdef";

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// ---- Writing ----

std::string Quoted(std::u16string_view text)
{
    std::string out = "\"";
    for (char c : platform::GeneralisedUtf8FromUtf16(text)) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

// The string a REG_SZ holds when the quoted form carries it exactly: an even
// size, one terminating NUL at the end, no control characters, no unpaired
// surrogates.
std::optional<std::u16string> QuotableString(const HiveValue& value)
{
    const std::vector<BYTE>& data = value.data;
    if (value.type != REG_SZ || data.size() < 2 || data.size() % 2 != 0)
        return std::nullopt;
    std::u16string text;
    for (size_t i = 0; i < data.size(); i += 2)
        text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    if (text.back() != 0)
        return std::nullopt;
    text.pop_back();
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c < 0x20)
            return std::nullopt;
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
            ++i;
        else if (IsHighSurrogate(c) || IsLowSurrogate(c))
            return std::nullopt;
    }
    return text;
}

std::string HexByte(BYTE b) { return {kHexDigits[b >> 4], kHexDigits[b & 0xF]}; }

std::string ValueData(const HiveValue& value)
{
    if (std::optional<std::u16string> text = QuotableString(value))
        return Quoted(*text);
    const std::vector<BYTE>& data = value.data;
    if (value.type == REG_DWORD && data.size() == 4)
        return "dword:" + HexByte(data[3]) + HexByte(data[2]) + HexByte(data[1]) + HexByte(data[0]);
    std::string out = "hex(";
    bool leading = true;
    for (int shift = 28; shift >= 0; shift -= 4) {
        int digit = (value.type >> shift) & 0xF;
        if (digit != 0 || shift == 0 || !leading) {
            out += kHexDigits[digit];
            leading = false;
        }
    }
    out += "):";
    for (size_t i = 0; i < data.size(); ++i) {
        if (i > 0)
            out += ',';
        out += HexByte(data[i]);
    }
    return out;
}

// ---- Reading ----

std::optional<int> HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return std::nullopt;
}

// Reads 1 to maxDigits hex digits.
std::optional<uint32_t> ParseHex(std::string_view text, size_t maxDigits)
{
    if (text.empty() || text.size() > maxDigits)
        return std::nullopt;
    uint32_t value = 0;
    for (char c : text) {
        std::optional<int> digit = HexDigit(c);
        if (!digit)
            return std::nullopt;
        value = (value << 4) | *digit;
    }
    return value;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Reads a quoted string at the start of text and moves past it.
std::optional<std::u16string> ParseQuoted(std::string_view& text)
{
    if (text.empty() || text.front() != '"')
        return std::nullopt;
    std::string utf8;
    for (size_t i = 1; i < text.size(); ++i) {
        char c = text[i];
        if (c == '"') {
            text.remove_prefix(i + 1);
            return platform::Utf16FromGeneralisedUtf8(utf8);
        }
        if (c == '\\') {
            if (++i == text.size() || (text[i] != '"' && text[i] != '\\'))
                return std::nullopt;
            c = text[i];
        }
        utf8 += c;
    }
    return std::nullopt;
}

std::optional<std::vector<BYTE>> ParseHexBytes(std::string_view text)
{
    std::vector<BYTE> bytes;
    if (Trimmed(text).empty())
        return bytes;
    while (true) {
        size_t comma = text.find(',');
        std::optional<uint32_t> b = ParseHex(Trimmed(text.substr(0, comma)), 2);
        if (!b)
            return std::nullopt;
        bytes.push_back(static_cast<BYTE>(*b));
        if (comma == std::string_view::npos)
            return bytes;
        text.remove_prefix(comma + 1);
    }
}

std::vector<BYTE> StringBytes(std::u16string_view text)
{
    std::vector<BYTE> bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<BYTE>(c));
        bytes.push_back(static_cast<BYTE>(c >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

// Reads the part after '=': a quoted string, dword:, hex: or hex(T):.
bool ParseData(std::string_view text, HiveValue& value)
{
    text = Trimmed(text);
    if (!text.empty() && text.front() == '"') {
        std::optional<std::u16string> str = ParseQuoted(text);
        if (!str || !Trimmed(text).empty())
            return false;
        value.type = REG_SZ;
        value.data = StringBytes(*str);
        return true;
    }
    if (text.starts_with("dword:")) {
        std::optional<uint32_t> number = ParseHex(text.substr(6), 8);
        if (!number)
            return false;
        value.type = REG_DWORD;
        value.data = {static_cast<BYTE>(*number), static_cast<BYTE>(*number >> 8), static_cast<BYTE>(*number >> 16),
                      static_cast<BYTE>(*number >> 24)};
        return true;
    }
    std::optional<uint32_t> type;
    if (text.starts_with("hex:")) {
        type = REG_BINARY;
        text.remove_prefix(4);
    } else if (text.starts_with("hex(")) {
        size_t close = text.find("):");
        if (close == std::string_view::npos)
            return false;
        type = ParseHex(text.substr(4, close - 4), 8);
        text.remove_prefix(close + 2);
    }
    if (!type)
        return false;
    std::optional<std::vector<BYTE>> bytes = ParseHexBytes(text);
    if (!bytes)
        return false;
    value.type = *type;
    value.data = std::move(*bytes);
    return true;
}

std::optional<HiveValue> ParseValueLine(std::string_view line)
{
    HiveValue value;
    if (line.starts_with("@")) {
        line.remove_prefix(1);
    } else {
        std::optional<std::u16string> name = ParseQuoted(line);
        if (!name)
            return std::nullopt;
        value.name = std::move(*name);
    }
    line = Trimmed(line);
    if (line.empty() || line.front() != '=' || !ParseData(line.substr(1), value))
        return std::nullopt;
    return value;
}

}  // namespace

std::string WriteHive(const std::vector<HiveKey>& keys)
{
    std::string out = std::string(kHeader) + "\n\n";
    for (const HiveKey& key : keys) {
        out += "[" + platform::GeneralisedUtf8FromUtf16(key.path) + "]\n";
        for (const HiveValue& value : key.values)
            out += (value.name.empty() ? std::string("@") : Quoted(value.name)) + "=" + ValueData(value) + "\n";
        out += "\n";
    }
    return out;
}

std::vector<HiveKey> ReadHive(std::string_view text, int& badLines)
{
    badLines = 0;
    std::vector<HiveKey> keys;
    bool inKey = false;
    bool first = true;
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        bool header = first && Trimmed(line) == kHeader;
        first = false;
        line = Trimmed(line);
        if (header || line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            std::optional<std::u16string> path;
            if (line.size() >= 2 && line.back() == ']')
                path = platform::Utf16FromGeneralisedUtf8(line.substr(1, line.size() - 2));
            inKey = path && !path->empty();
            if (inKey)
                keys.push_back(HiveKey{std::move(*path), {}});
            else
                ++badLines;
            continue;
        }
        std::optional<HiveValue> value = inKey ? ParseValueLine(line) : std::nullopt;
        if (value)
            keys.back().values.push_back(std::move(*value));
        else
            ++badLines;
    }
    return keys;
}

}  // namespace sim
