// wsprintfW: the printf conversions that Windows' wsprintf knows, plus the
// floating-point ones, formatted as the device's C runtime formats them.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <string>

#include "ce/crt.h"
#include "text_convert.h"

namespace {

// wsprintf never writes more than 1024 characters, terminator included.
constexpr int kMaxOutput = 1024;

class Output {
public:
    explicit Output(WCHAR* buffer) : buffer_(buffer) {}

    void Put(WCHAR c)
    {
        if (length_ < kMaxOutput - 1)
            buffer_[length_++] = c;
    }
    void Put(const std::u16string& text)
    {
        for (WCHAR c : text)
            Put(c);
    }
    void Repeat(WCHAR c, int count)
    {
        for (int i = 0; i < count; ++i)
            Put(c);
    }
    int Finish()
    {
        buffer_[length_] = 0;
        return length_;
    }

private:
    WCHAR* buffer_;
    int length_ = 0;
};

// A va_list inside a struct can be passed by reference on every ABI.
struct Arguments {
    va_list list;
};

struct Spec {
    bool left = false;
    bool zero = false;
    bool plus = false;
    bool space = false;
    bool alternate = false;
    int width = 0;
    int precision = -1;  // -1: not given
    char size = 0;       // 'h', 'l' (or 'w', the same) or 0
    WCHAR conversion = 0;
};

// Widths and precisions beyond the output limit cannot show, so they are
// capped there rather than building huge fields.
int Capped(int value) { return value > kMaxOutput ? kMaxOutput : value; }

int ReadNumber(const WCHAR*& p)
{
    int value = 0;
    for (; *p >= u'0' && *p <= u'9'; ++p)
        value = Capped(value * 10 + (*p - u'0'));
    return value;
}

// Parses the part after '%' up to and including the conversion letter;
// false when the format ends first.
bool ParseSpec(const WCHAR*& p, Arguments& args, Spec& spec)
{
    for (;; ++p) {
        if (*p == u'-')
            spec.left = true;
        else if (*p == u'0')
            spec.zero = true;
        else if (*p == u'+')
            spec.plus = true;
        else if (*p == u' ')
            spec.space = true;
        else if (*p == u'#')
            spec.alternate = true;
        else
            break;
    }
    if (*p == u'*') {
        ++p;
        spec.width = va_arg(args.list, int);
        if (spec.width < 0) {
            spec.left = true;
            spec.width = spec.width == INT32_MIN ? 0 : -spec.width;
        }
        spec.width = Capped(spec.width);
    } else {
        spec.width = ReadNumber(p);
    }
    if (*p == u'.') {
        ++p;
        if (*p == u'*') {
            ++p;
            int precision = va_arg(args.list, int);
            spec.precision = precision < 0 ? -1 : Capped(precision);
        } else {
            spec.precision = ReadNumber(p);
        }
    }
    if (*p == u'h' || *p == u'l' || *p == u'w') {
        spec.size = *p == u'h' ? 'h' : 'l';
        ++p;
    }
    if (*p == 0)
        return false;
    spec.conversion = *p++;
    return true;
}

// Lays out prefix (sign or 0x) and body within the field width.
void PutField(Output& out, const Spec& spec, const std::u16string& prefix, const std::u16string& body, bool zeroPad)
{
    int padding = spec.width - static_cast<int>(prefix.size() + body.size());
    if (spec.left) {
        out.Put(prefix);
        out.Put(body);
        out.Repeat(u' ', padding);
    } else if (zeroPad) {
        out.Put(prefix);
        out.Repeat(u'0', padding);
        out.Put(body);
    } else {
        out.Repeat(u' ', padding);
        out.Put(prefix);
        out.Put(body);
    }
}

std::u16string Digits(uint64_t value, unsigned radix, bool upper, int precision)
{
    std::u16string digits;
    if (!(value == 0 && precision == 0)) {
        do {
            unsigned digit = static_cast<unsigned>(value % radix);
            digits.insert(digits.begin(), static_cast<char16_t>(digit < 10 ? u'0' + digit : (upper ? u'A' : u'a') + digit - 10));
            value /= radix;
        } while (value != 0);
    }
    if (precision > static_cast<int>(digits.size()))
        digits.insert(0, precision - digits.size(), u'0');
    return digits;
}

// Integers are read as 32-bit values: on the device int and long are both
// 32 bits, so "%ld" receives a LONG or DWORD, which is an int here.
void PutInteger(Output& out, const Spec& spec, Arguments& args)
{
    std::u16string prefix;
    uint64_t magnitude;
    unsigned radix = 10;
    if (spec.conversion == u'd' || spec.conversion == u'i') {
        int32_t value = va_arg(args.list, int);
        if (spec.size == 'h')
            value = static_cast<int16_t>(value);
        magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
        if (value < 0)
            prefix = u"-";
        else if (spec.plus)
            prefix = u"+";
        else if (spec.space)
            prefix = u" ";
    } else {
        uint32_t value = va_arg(args.list, unsigned);
        if (spec.size == 'h')
            value = static_cast<uint16_t>(value);
        magnitude = value;
        if (spec.conversion != u'u') {
            radix = 16;
            if (spec.alternate && value != 0)
                prefix = spec.conversion == u'X' ? u"0X" : u"0x";
        }
    }
    PutField(out, spec, prefix, Digits(magnitude, radix, spec.conversion == u'X', spec.precision),
             spec.zero && spec.precision < 0);
}

// A pointer shows at least the eight hex digits of the device's pointers.
void PutPointer(Output& out, const Spec& spec, Arguments& args)
{
    auto value = reinterpret_cast<uintptr_t>(va_arg(args.list, void*));
    PutField(out, spec, u"", Digits(value, 16, true, 8), false);
}

// Narrow text is the device's ANSI code page, Windows-1252.
std::u16string WidenCp1252(const char* text, int limit)
{
    std::u16string wide;
    for (int i = 0; text[i] && (limit < 0 || i < limit); ++i)
        wide += platform::WideFromCp1252(static_cast<unsigned char>(text[i]));
    return wide;
}

// %s is wide and %S narrow; an 'h' makes either narrow and an 'l' wide.
bool WantsNarrow(const Spec& spec)
{
    if (spec.size == 'h')
        return true;
    if (spec.size == 'l')
        return false;
    return spec.conversion == u'S' || spec.conversion == u'C';
}

void PutString(Output& out, const Spec& spec, Arguments& args)
{
    std::u16string text;
    if (WantsNarrow(spec)) {
        const char* narrow = va_arg(args.list, const char*);
        text = WidenCp1252(narrow ? narrow : "(null)", spec.precision);
    } else {
        const WCHAR* wide = va_arg(args.list, const WCHAR*);
        if (!wide)
            wide = u"(null)";
        for (int i = 0; wide[i] && (spec.precision < 0 || i < spec.precision); ++i)
            text += wide[i];
    }
    PutField(out, spec, u"", text, false);
}

void PutChar(Output& out, const Spec& spec, Arguments& args)
{
    int value = va_arg(args.list, int);
    WCHAR c = WantsNarrow(spec) ? platform::WideFromCp1252(static_cast<unsigned char>(value)) : static_cast<WCHAR>(value);
    PutField(out, spec, u"", std::u16string(1, c), false);
}

// The places after the point that the magnitude's exact decimal value
// has: a binary fraction of n bits ends after n decimal places.
int ExactPlaces(double magnitude)
{
    if (magnitude == 0)
        return 0;
    int exponent = 0;
    double fraction = std::frexp(magnitude, &exponent);
    auto mantissa = static_cast<uint64_t>(std::ldexp(fraction, 53));
    return std::max(0, 53 - exponent - std::countr_zero(mantissa));
}

// Adds one in the last place of a digit text with a point, carrying as far
// as needed ("9.99" gives "10.00").
void AddOneInLastPlace(std::string& digits)
{
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] == '.')
            continue;
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

// The magnitude's digits with `precision` places, rounded half away from
// zero on its exact value as the device's C runtime rounds; the host's
// printf would take the even neighbour of an exact half.
std::u16string FixedDigits(double magnitude, int precision, bool alternate)
{
    // With every exact place and one more, the host's printf rounds nothing.
    int places = std::max(ExactPlaces(magnitude), precision + 1);
    int length = snprintf(nullptr, 0, "%.*f", places, magnitude);
    std::string exact(length + 1, '\0');
    snprintf(exact.data(), exact.size(), "%.*f", places, magnitude);
    size_t point = exact.find('.');
    std::string kept = exact.substr(0, point + 1 + precision);
    if (exact[point + 1 + precision] >= '5')
        AddOneInLastPlace(kept);
    if (precision == 0 && !alternate)
        kept.pop_back();
    return std::u16string(kept.begin(), kept.end());
}

void PutFixed(Output& out, const Spec& spec, double value)
{
    std::u16string prefix;
    if (std::signbit(value))
        prefix = u"-";
    else if (spec.plus)
        prefix = u"+";
    else if (spec.space)
        prefix = u" ";
    int precision = spec.precision < 0 ? 6 : spec.precision;
    PutField(out, spec, prefix, FixedDigits(std::fabs(value), precision, spec.alternate), spec.zero);
}

// The other conversions, and infinities and NaNs, are the host printf's;
// the result is plain ASCII.
void PutFloat(Output& out, const Spec& spec, Arguments& args)
{
    double value = va_arg(args.list, double);
    if ((spec.conversion == u'f' || spec.conversion == u'F') && std::isfinite(value)) {
        PutFixed(out, spec, value);
        return;
    }
    std::string format = "%";
    if (spec.left)
        format += '-';
    if (spec.zero)
        format += '0';
    if (spec.plus)
        format += '+';
    if (spec.space)
        format += ' ';
    if (spec.alternate)
        format += '#';
    format += "*.*";
    format += static_cast<char>(spec.conversion);
    int precision = spec.precision < 0 ? 6 : spec.precision;
    int length = snprintf(nullptr, 0, format.c_str(), spec.width, precision, value);
    if (length < 0)
        return;
    std::string narrow(length + 1, '\0');
    snprintf(narrow.data(), narrow.size(), format.c_str(), spec.width, precision, value);
    for (int i = 0; i < length; ++i)
        out.Put(static_cast<WCHAR>(static_cast<unsigned char>(narrow[i])));
}

void PutConversion(Output& out, const Spec& spec, Arguments& args)
{
    switch (spec.conversion) {
    case u'd':
    case u'i':
    case u'u':
    case u'x':
    case u'X':
        PutInteger(out, spec, args);
        break;
    case u'p':
        PutPointer(out, spec, args);
        break;
    case u's':
    case u'S':
        PutString(out, spec, args);
        break;
    case u'c':
    case u'C':
        PutChar(out, spec, args);
        break;
    case u'f':
    case u'F':
    case u'e':
    case u'E':
    case u'g':
    case u'G':
        PutFloat(out, spec, args);
        break;
    default:
        // "%%" and unknown letters: wsprintf copies the character.
        out.Put(spec.conversion);
        break;
    }
}

}  // namespace

int wsprintfW(LPWSTR buffer, LPCWSTR format, ...)
{
    Output out(buffer);
    Arguments args;
    va_start(args.list, format);
    for (const WCHAR* p = format; *p;) {
        if (*p != u'%') {
            out.Put(*p++);
            continue;
        }
        ++p;
        Spec spec;
        if (!ParseSpec(p, args, spec))
            break;
        PutConversion(out, spec, args);
    }
    va_end(args.list);
    return out.Finish();
}
