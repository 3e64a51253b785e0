// Where the program's files sit on the test device, and the shipped copies
// of them from the source tree.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

#include <windows.h>

namespace testsupport {

// The program directory as the program sees it, and as a host path below
// the device root.
inline const WCHAR* ProgramDirectory() { return TEXT("\\Program Files\\Quib Monitor\\"); }
inline std::string ProgramFile(const std::string& relative) { return "Program Files/Quib Monitor/" + relative; }

// The bytes of a shipped file from data/ in the source tree.
inline std::string ShippedFile(const std::string& relative)
{
    std::ifstream in(std::string(QM_DATA_DIR) + "/" + relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace testsupport
