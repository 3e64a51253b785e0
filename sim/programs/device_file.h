// A stand-in's whole-file reads and writes of device files, through the
// platform's file calls as any device program makes them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include <windows.h>

// The file's bytes; none when it cannot be read or is larger than maxBytes.
std::optional<std::string> ReadDeviceFile(const std::u16string& path, DWORD maxBytes);

// Creates or replaces the file with the bytes; false when any is not written.
bool WriteDeviceFile(const std::u16string& path, const void* bytes, size_t size);
