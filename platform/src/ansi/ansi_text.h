// The 8-bit arguments of the desktop's A calls, widened through code page
// 1252. A numbered name (MAKEINTRESOURCEA) passes through as its number.
#pragma once

#include <optional>
#include <string>

#include "ce/types.h"

namespace platform {

class AnsiArgument {
public:
    explicit AnsiArgument(LPCSTR text);
    // Null for a null argument.
    LPCWSTR get() const;

private:
    std::optional<std::u16string> wide_;
};

// A name that may be a number: numbers pass through unchanged.
class AnsiName {
public:
    explicit AnsiName(LPCSTR name);
    LPCWSTR get() const;

private:
    LPCWSTR number_ = nullptr;
    AnsiArgument text_;
};

// Copies text into an 8-bit buffer of `capacity` characters, cut to fit
// with its terminator; returns the characters copied.
int CopyAnsi(const std::u16string& text, LPSTR buffer, int capacity);

}  // namespace platform
