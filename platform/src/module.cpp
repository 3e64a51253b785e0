// The file names of the running program and of the libraries it loaded.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "ce/errors.h"
#include "ce/files.h"
#include "device_path.h"
#include "module_library.h"
#include "module_resources.h"
#include "shell_library.h"
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

// The main program (a null handle too), a library LoadLibraryW loaded, or
// the platform's own shell library.
DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize)
{
    if (!lpFilename) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::u16string path;
    if (!hModule || hModule == platform::MainModule()) {
        path = platform::ProgramPath();
    } else if (platform::IsBuiltInLibrary(hModule)) {
        path = u"\\Windows\\aygshell.dll";
    } else if (std::optional<std::u16string> library = platform::LoadedLibraryPath(hModule)) {
        path = *library;
    } else {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (nSize == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
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
