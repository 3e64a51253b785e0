// LoadLibraryW and friends over the host's loader: a CE library is a shared
// object in the device root, and its HMODULE is the handle dlopen gives,
// which the host counts references on as CE does.
#include "ce/modules.h"

#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "ce/errors.h"
#include "ce/files.h"
#include "ce/module_entry.h"
#include "ce/ordinal_exports.h"
#include "ce/resources.h"
#include "device_path.h"
#include "file_use.h"
#include "module_library.h"
#include "module_resources.h"
#include "shell_library.h"
#include "text_convert.h"

namespace platform {
namespace {

struct LoadedLibrary {
    HMODULE handle;
    std::u16string devicePath;
    std::u16string heldPath;  // as the device server was told of it
    int references;
};

// Host threads may load libraries while the device program runs.
std::mutex librariesLock;
std::vector<LoadedLibrary> libraries;

bool IsPath(std::u16string_view name) { return name.find_first_of(u"\\/") != std::u16string_view::npos; }

std::u16string_view FileNameOf(std::u16string_view path)
{
    size_t separator = path.find_last_of(u"\\/");
    return separator == std::u16string_view::npos ? path : path.substr(separator + 1);
}

// As on Windows, a name without an extension means a ".dll".
std::u16string WithExtension(std::u16string_view name)
{
    std::u16string named(name);
    if (FileNameOf(named).find(u'.') == std::u16string_view::npos)
        named += u".dll";
    return named;
}

std::u16string ProgramFolder()
{
    WCHAR path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::u16string_view program(path, length);
    return std::u16string(program.substr(0, program.size() - FileNameOf(program).size()));
}

// The device paths a name may denote, in the order they are tried: the
// program's own folder, then \Windows.
std::vector<std::u16string> Candidates(LPCWSTR name)
{
    std::u16string named = WithExtension(name);
    if (IsPath(named))
        return {named};
    return {ProgramFolder() + named, u"\\Windows\\" + named};
}

bool IsFile(const std::string& hostPath)
{
    struct stat info;
    return stat(hostPath.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::vector<LoadedLibrary>::iterator Find(HMODULE handle)
{
    return std::find_if(libraries.begin(), libraries.end(),
                        [handle](const LoadedLibrary& library) { return library.handle == handle; });
}

// A lookup on a handle searches the libraries it depends on as well; an
// export must be the module's own.
bool DefinedIn(HMODULE module, void* symbol)
{
    Dl_info info;
    link_map* owner = nullptr;
    link_map* self = nullptr;
    return dladdr1(symbol, &info, reinterpret_cast<void**>(&owner), RTLD_DL_LINKMAP) &&
           dlinfo(module, RTLD_DI_LINKMAP, &self) == 0 && owner == self;
}

// Drops one reference LoadLibraryW counted; false for a handle it never
// gave. `last` tells whether it was the library's last, and `heldPath`
// what the device server was told at its load.
bool Forget(HMODULE handle, bool* last = nullptr, std::u16string* heldPath = nullptr)
{
    std::lock_guard<std::mutex> lock(librariesLock);
    auto library = Find(handle);
    if (library == libraries.end())
        return false;
    bool wasLast = --library->references == 0;
    if (last)
        *last = wasLast;
    if (heldPath)
        *heldPath = library->heldPath;
    if (wasLast)
        libraries.erase(library);
    return true;
}

// Counts a reference; true when it is the library's first.
bool Remember(HMODULE handle, const std::u16string& devicePath, const std::u16string& heldPath)
{
    std::lock_guard<std::mutex> lock(librariesLock);
    auto known = Find(handle);
    if (known != libraries.end()) {
        ++known->references;
        return false;
    }
    libraries.push_back({handle, devicePath, heldPath, 1});
    return true;
}

// A library's entry point, when it publishes one.
ModuleEntryProc EntryOf(HMODULE module)
{
    void* symbol = dlsym(module, "platform_module_entry");
    if (!symbol || !DefinedIn(module, symbol))
        return nullptr;
    return *static_cast<const ModuleEntryProc*>(symbol);
}

// The device path goes to the server as the program named it: a host path
// reached through a link may have no device path of its own.
HMODULE Open(const std::string& hostPath, const std::u16string& cePath)
{
    void* handle = dlopen(hostPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        // The host's reason (a missing platform function, say) helps
        // whoever builds the library; the program sees a bad image.
        std::fprintf(stderr, "devsim: LoadLibrary: %s\n", dlerror());
        SetLastError(ERROR_BAD_EXE_FORMAT);
        return nullptr;
    }
    HMODULE module = static_cast<HMODULE>(handle);
    if (!Remember(module, DevicePathOf(hostPath), cePath))
        return module;
    ModuleEntryProc entry = EntryOf(module);
    if (entry && !entry(module, DLL_PROCESS_ATTACH, nullptr)) {
        Forget(module);
        dlclose(handle);
        SetLastError(ERROR_DLL_INIT_FAILED);
        return nullptr;
    }
    ReportLibraryLoaded(cePath);
    return module;
}

bool IsKnownModule(HMODULE handle)
{
    if (handle == MainModule() || IsBuiltInLibrary(handle))
        return true;
    std::lock_guard<std::mutex> lock(librariesLock);
    return Find(handle) != libraries.end();
}

// The library's own table of exports by number, when it has one.
FARPROC OrdinalExportOf(HMODULE module, WORD ordinal)
{
    void* symbol = dlsym(module, "platform_module_ordinals");
    if (ordinal == 0 || !symbol || !DefinedIn(module, symbol))
        return nullptr;
    for (const OrdinalExport* entry = static_cast<const OrdinalExport*>(symbol); entry->ordinal != 0; ++entry) {
        if (entry->ordinal == ordinal)
            return entry->proc;
    }
    return nullptr;
}

}  // namespace

std::optional<std::u16string> LoadedLibraryPath(HMODULE module)
{
    std::lock_guard<std::mutex> lock(librariesLock);
    auto library = Find(module);
    if (library == libraries.end())
        return std::nullopt;
    return library->devicePath;
}

HMODULE FindLoadedLibrary(LPCWSTR name)
{
    std::u16string wanted = FoldDeviceName(WithExtension(name));
    bool byPath = IsPath(wanted);
    std::lock_guard<std::mutex> lock(librariesLock);
    for (const LoadedLibrary& library : libraries) {
        std::u16string known = FoldDeviceName(library.devicePath);
        if (byPath ? known == wanted : FileNameOf(known) == wanted)
            return library.handle;
    }
    return nullptr;
}

}  // namespace platform

HMODULE LoadLibraryW(LPCWSTR lpLibFileName)
{
    if (!lpLibFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::u16string named = platform::WithExtension(lpLibFileName);
    std::replace(named.begin(), named.end(), u'/', u'\\');
    if (HMODULE shell = platform::BuiltInLibrary(platform::FoldDeviceName(named)))
        return shell;
    for (const std::u16string& candidate : platform::Candidates(lpLibFileName)) {
        std::string hostPath;
        if (platform::MapDevicePath(candidate.c_str(), hostPath) && platform::IsFile(hostPath))
            return platform::Open(hostPath, candidate);
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

FARPROC GetProcAddressW(HMODULE hModule, LPCWSTR lpProcName)
{
    HMODULE module = hModule ? hModule : platform::MainModule();
    if (!platform::IsKnownModule(module)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    if (platform::IsBuiltInLibrary(module)) {
        FARPROC proc = platform::BuiltInExport(lpProcName);
        if (!proc)
            SetLastError(ERROR_PROC_NOT_FOUND);
        return proc;
    }
    if (IS_INTRESOURCE(lpProcName)) {
        FARPROC proc = platform::OrdinalExportOf(module, LOWORD(reinterpret_cast<UINT_PTR>(lpProcName)));
        if (!proc)
            SetLastError(ERROR_PROC_NOT_FOUND);
        return proc;
    }
    void* symbol = dlsym(module, platform::Utf8FromUtf16(lpProcName).c_str());
    if (!symbol || !platform::DefinedIn(module, symbol)) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(symbol);
}

BOOL FreeLibrary(HMODULE hLibModule)
{
    // The platform's own library stays for the life of the process.
    if (platform::IsBuiltInLibrary(hLibModule))
        return TRUE;
    bool last = false;
    std::u16string heldPath;
    if (!platform::Forget(hLibModule, &last, &heldPath)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (last) {
        if (ModuleEntryProc entry = platform::EntryOf(hLibModule))
            entry(hLibModule, DLL_PROCESS_DETACH, nullptr);
        platform::ReportLibraryFreed(heldPath);
    }
    dlclose(hLibModule);
    return TRUE;
}
