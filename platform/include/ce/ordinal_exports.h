// Exports by number. A CE library exports functions by ordinal alone (a
// .def file's "@240 NONAME"); a host shared object has no such exports, so
// it lists them in one table under a fixed name, which GetProcAddressW reads
// for an ordinal (MAKEINTRESOURCE) request. Host builds only.
#pragma once

#include "ce/modules.h"

struct OrdinalExport {
    WORD ordinal;
    FARPROC proc;
};

// Defined by a library that exports by ordinal; the entries end with one of
// ordinal 0.
extern "C" __attribute__((visibility("default"))) const OrdinalExport platform_module_ordinals[];
