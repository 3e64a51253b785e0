// How many tasks the running-tasks display counts.
#pragma once

// The task list as the task manager builds it, but passing over only the
// shell windows "ActiveSync", "Tray" and "Start".
int CountRunningTasks();
