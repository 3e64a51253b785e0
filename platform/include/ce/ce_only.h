// Declarations that Windows CE has and the desktop Windows headers lack,
// for the conformance build against the real <windows.h>.
#pragma once

#include "ce/power_store.h"
