#include "setup/desktop/payload_files.h"

#include <windows.h>

bool DiskPayloads::Write(const std::string& path, std::string_view data)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL wrote = WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    BOOL closed = CloseHandle(file);
    if (wrote && closed && written == data.size())
        return true;
    DeleteFileA(path.c_str());
    return false;
}
