// The test library's exports by number, as a plug-in carries them, and an
// entry point that counts its calls.
#include "ce/module_entry.h"
#include "ce/ordinal_exports.h"

namespace {

INT_PTR First() { return 240; }
INT_PTR Second() { return 241; }

}  // namespace

// What the loader told the entry point, for the tests to read by name.
extern "C" {
__attribute__((visibility("default"))) int module_attach_count = 0;
__attribute__((visibility("default"))) HINSTANCE module_attached_handle = nullptr;
}

static BOOL WINAPI Entry(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        ++module_attach_count;
        module_attached_handle = instance;
    }
    return TRUE;
}

extern "C" const ModuleEntryProc platform_module_entry = Entry;

extern "C" const OrdinalExport platform_module_ordinals[] = {
    {240, First},
    {241, Second},
    {0, nullptr},
};
