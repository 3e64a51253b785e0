// Uninstall.exe: started by the desktop's software-removal feature with the
// product name, it removes what pcsetup wrote beside it and the product's
// uninstall key.
#include <windows.h>

#include <string>

namespace {

const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char* const kPayloads[] = {"quibmonitorinstall.ini", "QuibMonitorPPC.CAB", "Uninstall.exe"};

// The product name in the desktop's code page, without the quotes a shell
// may add.
std::string ProductName(LPCWSTR commandLine)
{
    char name[MAX_PATH];
    int length = commandLine ? WideCharToMultiByte(CP_ACP, 0, commandLine, -1, name, MAX_PATH, nullptr, nullptr) : 0;
    std::string product(name, length > 0 ? static_cast<size_t>(length - 1) : 0);
    const char* trim = " \"";
    size_t first = product.find_first_not_of(trim);
    if (first == std::string::npos)
        return std::string();
    return product.substr(first, product.find_last_not_of(trim) - first + 1);
}

// The folder this program runs from, without its trailing backslash.
std::string OwnFolder()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length < MAX_PATH ? length : 0);
    size_t slash = folder.rfind('\\');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPWSTR lpCmdLine, int)
{
    std::string product = ProductName(lpCmdLine);
    std::string folder = OwnFolder();
    if (product.empty() || folder.empty())
        return 1;
    // A running program's own file cannot go now (Uninstall.exe itself), nor
    // its folder while it holds it: both go at the desktop's next start.
    for (const char* payload : kPayloads) {
        std::string path = folder + "\\" + payload;
        if (!DeleteFileA(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
            MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    }
    if (!RemoveDirectoryA(folder.c_str()))
        MoveFileExA(folder.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);

    HKEY uninstall = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_ALL_ACCESS, &uninstall) != ERROR_SUCCESS)
        return 1;
    LONG deleted = RegDeleteKeyA(uninstall, product.c_str());
    RegCloseKey(uninstall);
    return deleted == ERROR_SUCCESS ? 0 : 1;
}
