// The library's exports by number, as the host's loader reads them; the
// device build takes them from QuibMonitorToday.def.
#include "ce/ordinal_exports.h"
#include "today/item_window.h"

extern "C" const OrdinalExport platform_module_ordinals[] = {
    { ORDINAL_INITIALIZEITEM, (FARPROC)InitializeCustomItem },
    { ORDINAL_OPTIONSDIALOGPROC, (FARPROC)CustomItemOptionsDlgProc },
    { 0, NULL },
};
