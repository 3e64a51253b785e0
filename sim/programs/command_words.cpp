#include "command_words.h"

namespace {

size_t WordLength(std::u16string_view text)
{
    size_t end = text.find(u' ');
    return end == std::u16string_view::npos ? text.size() : end;
}

int DigitValue(char16_t c, unsigned base)
{
    int value = -1;
    if (c >= u'0' && c <= u'9')
        value = c - u'0';
    else if (c >= u'a' && c <= u'f')
        value = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        value = c - u'A' + 10;
    return value >= 0 && static_cast<unsigned>(value) < base ? value : -1;
}

}  // namespace

std::u16string_view SkipBlanks(std::u16string_view text)
{
    size_t start = text.find_first_not_of(u' ');
    return start == std::u16string_view::npos ? std::u16string_view() : text.substr(start);
}

bool TakeOption(std::u16string_view& text, std::u16string_view option)
{
    if (option.empty() || text.substr(0, WordLength(text)) != option)
        return false;
    text = SkipBlanks(text.substr(option.size()));
    return true;
}

bool TakeNumber(std::u16string_view& text, unsigned long& value)
{
    std::u16string_view word = text.substr(0, WordLength(text));
    unsigned base = 10;
    if (word.size() > 2 && word[0] == u'0' && (word[1] == u'x' || word[1] == u'X')) {
        base = 16;
        word.remove_prefix(2);
    }
    if (word.empty() || word.size() > 8)
        return false;
    unsigned long number = 0;
    for (char16_t c : word) {
        int digit = DigitValue(c, base);
        if (digit < 0)
            return false;
        number = number * base + static_cast<unsigned long>(digit);
    }
    value = number;
    text = SkipBlanks(text.substr(WordLength(text)));
    return true;
}

std::u16string_view TakeWord(std::u16string_view& text)
{
    std::u16string_view word = text.substr(0, WordLength(text));
    text = SkipBlanks(text.substr(word.size()));
    return word;
}

std::u16string UnquotedArgument(std::u16string_view line)
{
    size_t start = line.find_first_not_of(u' ');
    size_t end = line.find_last_not_of(u' ');
    if (start == std::u16string_view::npos)
        return u"";
    line = line.substr(start, end + 1 - start);
    if (line.size() >= 2 && line.front() == u'"' && line.back() == u'"')
        line = line.substr(1, line.size() - 2);
    return std::u16string(line);
}
