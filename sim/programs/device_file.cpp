#include "device_file.h"

std::optional<std::string> ReadDeviceFile(const std::u16string& path, DWORD maxBytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    DWORD size = GetFileSize(file, NULL);
    std::optional<std::string> bytes;
    if (size != INVALID_FILE_SIZE && size <= maxBytes) {
        std::string buffer(size, '\0');
        DWORD read = 0;
        if (ReadFile(file, buffer.data(), size, &read, NULL) && read == size)
            bytes = std::move(buffer);
    }
    CloseHandle(file);
    return bytes;
}

// A file not written whole is not left behind looking complete.
bool WriteDeviceFile(const std::u16string& path, const void* bytes, size_t size)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes, (DWORD)size, &written, NULL) && written == size;
    CloseHandle(file);
    if (!ok)
        DeleteFileW(path.c_str());
    return ok;
}
