// The keys as this process has seen them: GetKeyState answers from the key
// messages taken from the queue so far, as Win32 does.
#pragma once

#include "ce/windowing.h"

namespace platform {

void NoteKeyMessage(const MSG& msg);

}  // namespace platform
