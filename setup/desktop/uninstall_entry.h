// The desktop's record of the installed product, for its software-removal
// feature.
#pragma once

#include <string>

// Writes "DisplayName" and "UninstallString" under the product's key;
// false when the key cannot be opened or created.
bool WriteUninstallEntry(const std::string& productName, const std::string& installDirectory);
