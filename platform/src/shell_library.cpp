#include "shell_library.h"

#include <iterator>

#include "aygshell.h"
#include "ce/resources.h"

namespace platform {
namespace {

// The agreement page calls number 21 with its edit window and 1 once the
// text is in; nothing on this platform depends on it.
BOOL WINAPI SucceedWithoutEffect(HWND, DWORD) { return TRUE; }

struct Export {
    WORD ordinal;
    std::u16string_view name;
    FARPROC proc;
};

template <typename Function>
FARPROC AsProc(Function* function)
{
    return reinterpret_cast<FARPROC>(function);
}

// The device's numbers of the exports this platform has.
const Export kExports[] = {
    {4, u"SHSipInfo", AsProc(SHSipInfo)},
    {10, u"SHCloseApps", AsProc(SHCloseApps)},
    {21, u"", AsProc(SucceedWithoutEffect)},
    {40, u"SHRecognizeGesture", AsProc(SHRecognizeGesture)},
};

// Any address that no loaded object can have names the library.
const char kShellLibrary = 0;

}  // namespace

HMODULE BuiltInLibrary(std::u16string_view foldedName)
{
    if (foldedName == u"AYGSHELL.DLL" || foldedName == u"\\WINDOWS\\AYGSHELL.DLL")
        return reinterpret_cast<HMODULE>(const_cast<char*>(&kShellLibrary));
    return nullptr;
}

bool IsBuiltInLibrary(HMODULE module) { return module == reinterpret_cast<HMODULE>(const_cast<char*>(&kShellLibrary)); }

FARPROC BuiltInExport(LPCWSTR procName)
{
    for (const Export& entry : kExports) {
        bool match = IS_INTRESOURCE(procName)
                         ? reinterpret_cast<ULONG_PTR>(procName) == entry.ordinal
                         : !entry.name.empty() && entry.name == std::u16string_view(procName);
        if (match)
            return entry.proc;
    }
    return nullptr;
}

}  // namespace platform
