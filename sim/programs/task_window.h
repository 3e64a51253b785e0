// The window of a stand-in task: a top-level window of the given title,
// drawn with the title in its middle, until it is closed or quit.
#pragma once

#include <windows.h>

#include "task_options.h"

// Registers the class, shows the window and runs the message loop; answers
// the exit code (WM_QUIT's, or 1 when the window cannot be made).
int RunTaskWindow(HINSTANCE instance, const TaskOptions& options);
