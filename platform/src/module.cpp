// The running program's own file name.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "ce/errors.h"
#include "ce/files.h"
#include "device_path.h"
#include "text_convert.h"

namespace platform {
namespace {

std::string HostExecutable()
{
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).string();
}

// The simulator names the program it starts by its device path; a program
// run straight from the host is placed where it lies in the device root,
// or else in \Windows, where CE keeps its own programs.
std::u16string ProgramPath()
{
    if (const char* program = std::getenv("DEVSIM_PROGRAM"))
        return Utf16FromUtf8(program);
    std::string executable = HostExecutable();
    std::u16string inRoot = DevicePathOf(executable);
    if (!inRoot.empty())
        return inRoot;
    return u"\\Windows\\" + Utf16FromUtf8(std::filesystem::path(executable).filename().string());
}

}  // namespace
}  // namespace platform

// FIXME: every module handle stands for the main program until libraries
// are loaded by the process model.
DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize)
{
    if (!lpFilename) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (nSize == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::u16string path = platform::ProgramPath();
    size_t copied = std::min<size_t>(path.size(), nSize - 1);
    std::copy_n(path.begin(), copied, lpFilename);
    lpFilename[copied] = u'\0';
    // A name cut short is still terminated; the result is the buffer's size.
    if (copied < path.size()) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    return static_cast<DWORD>(copied);
}
