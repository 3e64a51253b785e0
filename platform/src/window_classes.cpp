// Window classes, registered per process.
#include <map>
#include <memory>

#include "ce/errors.h"
#include "ce/crt.h"
#include "button_control.h"
#include "dialog_manager.h"
#include "edit_control.h"
#include "local_windows.h"
#include "static_control.h"

namespace platform {
namespace {

// Atoms of registered classes, as RegisterClass returns them.
constexpr ATOM kFirstAtom = 0xC000;

struct ClassTable {
    std::map<std::u16string, std::unique_ptr<WindowClass>> byName;  // folded names
    ATOM nextAtom = kFirstAtom;
};

ClassTable& Classes()
{
    static ClassTable table;
    return table;
}

std::u16string Folded(LPCWSTR name)
{
    std::u16string folded(name);
    _wcsupr(folded.data());
    return folded;
}

bool IsAtom(LPCWSTR name) { return (reinterpret_cast<uintptr_t>(name) >> 16) == 0; }

// The system's classes are there in every process, as on Windows, from the
// first time a class is looked for.
void EnsureSystemClasses()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    RegisterEditClass();
    RegisterStaticClass();
    RegisterButtonClass();
    RegisterDialogClass();
}

}  // namespace

const WindowClass* FindClass(LPCWSTR name)
{
    EnsureSystemClasses();
    if (!name)
        return nullptr;
    if (IsAtom(name)) {
        ATOM atom = static_cast<ATOM>(reinterpret_cast<uintptr_t>(name));
        for (const auto& [key, found] : Classes().byName) {
            if (found->atom == atom)
                return found.get();
        }
        return nullptr;
    }
    auto it = Classes().byName.find(Folded(name));
    return it == Classes().byName.end() ? nullptr : it->second.get();
}

}  // namespace platform

using namespace platform;

ATOM RegisterClassW(const WNDCLASSW* lpWndClass)
{
    if (!lpWndClass || !lpWndClass->lpszClassName || !lpWndClass->lpfnWndProc ||
        IsAtom(lpWndClass->lpszClassName) || lpWndClass->cbClsExtra < 0 || lpWndClass->cbWndExtra < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::u16string key = Folded(lpWndClass->lpszClassName);
    ClassTable& table = Classes();
    if (table.byName.count(key)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    auto entry = std::make_unique<WindowClass>();
    entry->info = *lpWndClass;
    entry->name = lpWndClass->lpszClassName;
    entry->info.lpszClassName = entry->name.c_str();
    entry->info.lpszMenuName = nullptr;
    entry->atom = table.nextAtom++;
    ATOM atom = entry->atom;
    table.byName[key] = std::move(entry);
    return atom;
}

BOOL UnregisterClassW(LPCWSTR lpClassName, HINSTANCE)
{
    const WindowClass* found = FindClass(lpClassName);
    if (!found) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    Classes().byName.erase(Folded(found->name.c_str()));
    return TRUE;
}

BOOL GetClassInfoW(HINSTANCE, LPCWSTR lpClassName, LPWNDCLASSW lpWndClass)
{
    const WindowClass* found = FindClass(lpClassName);
    if (!found || !lpWndClass) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    *lpWndClass = found->info;
    return TRUE;
}
