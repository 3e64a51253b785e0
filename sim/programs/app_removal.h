// Removing an installed application as the device's Remove Programs does:
// its setup library is asked first (Uninstall_Init), then what the
// installer's record lists is deleted, and the record goes with the last of
// it. What cannot be deleted (a file in use) stays in the record, so that a
// later removal can finish the work.
#pragma once

#include <string>

struct RemovalResult {
    bool installed = false;  // a record of the application was found
    bool cancelled = false;  // the setup library answered cancel
    int removed = 0;         // files, links and folders deleted
    int remaining = 0;       // those still there
};

// Logs `uninstall app="APP"` and `uninstall-done app="APP" removed=N`.
RemovalResult RemoveApplication(const std::u16string& app);
