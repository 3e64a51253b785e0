#include "ce/errors.h"

// Each thread has its own last error, as on the device.
static thread_local DWORD lastError = ERROR_SUCCESS;

DWORD GetLastError(void) { return lastError; }

void SetLastError(DWORD dwErrCode) { lastError = dwErrCode; }
