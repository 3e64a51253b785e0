// The test library's exports by number, as a plug-in carries them.
#include "ce/ordinal_exports.h"

namespace {

INT_PTR First() { return 240; }
INT_PTR Second() { return 241; }

}  // namespace

extern "C" const OrdinalExport platform_module_ordinals[] = {
    {240, First},
    {241, Second},
    {0, nullptr},
};
