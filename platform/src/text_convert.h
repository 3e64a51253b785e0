// Text conversions between the platform's 16-bit text and host encodings.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

std::string Utf8FromUtf16(std::u16string_view text);
std::u16string Utf16FromUtf8(std::string_view text);

// Lossless forms for stored names: unpaired surrogates travel as their own
// three-byte sequences (generalised UTF-8); decoding refuses anything else
// that is not UTF-8.
std::string GeneralisedUtf8FromUtf16(std::u16string_view text);
std::optional<std::u16string> Utf16FromGeneralisedUtf8(std::string_view text);

// Windows-1252, the device's 8-bit code page.
char16_t WideFromCp1252(unsigned char c);
// Characters outside the code page become '?'.
unsigned char Cp1252FromWide(char16_t c);
std::u16string WideFromCp1252(std::string_view text);
std::string Cp1252FromWide(std::u16string_view text);

}  // namespace platform
