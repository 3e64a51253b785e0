// The installation after Finish: finds the application manager, writes the
// payloads and the uninstall information, and starts the manager.
#pragma once

// Messages are in the given language. The answer is the manager start's
// result (above 32 when it started), or 0 when the installation stopped.
int RunInstallation(int language);
