// Text conversions between the platform's 16-bit text and host encodings.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::string Utf8FromUtf16(std::u16string_view text);
std::u16string Utf16FromUtf8(std::string_view text);

// Windows-1252, the device's 8-bit code page.
char16_t WideFromCp1252(unsigned char c);
// Characters outside the code page become '?'.
unsigned char Cp1252FromWide(char16_t c);

}  // namespace platform
