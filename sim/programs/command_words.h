// Reading the stand-in programs' command lines word by word.
#pragma once

#include <string>
#include <string_view>

std::u16string_view SkipBlanks(std::u16string_view text);

// When the text starts with the option as a whole word, takes it and the
// blanks after it off the front.
bool TakeOption(std::u16string_view& text, std::u16string_view option);

// Takes a decimal or 0x-hexadecimal number word off the front; leaves the
// text alone when the first word is not one.
bool TakeNumber(std::u16string_view& text, unsigned long& value);

// Takes the first word off the front (and the blanks after it).
std::u16string_view TakeWord(std::u16string_view& text);

// The whole command line as one argument: blanks around it and the double
// quotes around a quoted one taken off.
std::u16string UnquotedArgument(std::u16string_view line);
