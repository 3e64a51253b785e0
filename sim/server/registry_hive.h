// The registry's on-disk form: a REGEDIT4-style text hive.
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\System\State\Battery]
//   "Main"=dword:00510000
//   "Name"="text with \"quotes\" and \\ backslashes"
//   "Raw"=hex(3):01,02,ff
//
// Strings are UTF-8 on disk. Values that the quoted or dword forms cannot
// carry exactly (a REG_SZ without its terminator, odd lengths, control
// characters) are written as hex(TYPE): so that every value round-trips.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ce/types.h"

namespace sim {

struct HiveValue {
    std::u16string name;
    DWORD type = 0;
    std::vector<BYTE> data;
};

struct HiveKey {
    // Full path from the root name, e.g. u"HKEY_CURRENT_USER\\software\\X".
    std::u16string path;
    std::vector<HiveValue> values;
};

std::string WriteHive(const std::vector<HiveKey>& keys);

// Reads hive text. Malformed lines are skipped and counted in badLines;
// reading never fails as a whole.
std::vector<HiveKey> ReadHive(std::string_view text, int& badLines);

}  // namespace sim
