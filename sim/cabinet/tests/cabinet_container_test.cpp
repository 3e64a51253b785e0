#include <gtest/gtest.h>

#include "cabinet_container.h"

namespace cabinet {
namespace {

void Put16(std::string& bytes, uint16_t value)
{
    bytes += static_cast<char>(value & 0xFF);
    bytes += static_cast<char>(value >> 8);
}

void Put32(std::string& bytes, uint32_t value)
{
    Put16(bytes, static_cast<uint16_t>(value & 0xFFFF));
    Put16(bytes, static_cast<uint16_t>(value >> 16));
}

// One stored (uncompressed) folder holding "abcd" and one file entry
// claiming `length` bytes of it.
std::string OneFileCabinet(uint32_t length)
{
    const std::string name = "A.001";
    const uint32_t filesAt = 36 + 8;
    const uint32_t dataAt = filesAt + 16 + static_cast<uint32_t>(name.size()) + 1;
    const uint32_t total = dataAt + 8 + 4;
    std::string bytes = "MSCF";
    Put32(bytes, 0);
    Put32(bytes, total);
    Put32(bytes, 0);
    Put32(bytes, filesAt);
    Put32(bytes, 0);
    bytes += '\x03';
    bytes += '\x01';
    Put16(bytes, 1);  // folders
    Put16(bytes, 1);  // files
    Put16(bytes, 0);  // flags
    Put16(bytes, 0);
    Put16(bytes, 0);
    Put32(bytes, dataAt);
    Put16(bytes, 1);  // data blocks
    Put16(bytes, 0);  // stored
    Put32(bytes, length);
    Put32(bytes, 0);  // offset in the folder
    Put16(bytes, 0);  // folder
    Put16(bytes, 0x21);
    Put16(bytes, 0);
    Put16(bytes, 0x20);
    bytes += name;
    bytes += '\0';
    Put32(bytes, 0);  // no checksum
    Put16(bytes, 4);
    Put16(bytes, 4);
    bytes += "abcd";
    return bytes;
}

TEST(CabinetContainer, ReadsMembersAndRefusesClaimsBeyondAnyDevice)
{
    std::string error;
    std::optional<std::vector<CabinetMember>> members = ReadCabinetMembers(OneFileCabinet(4), error);
    ASSERT_TRUE(members) << error;
    ASSERT_EQ(members->size(), 1u);
    EXPECT_EQ((*members)[0].name, "A.001");
    EXPECT_EQ(std::string((*members)[0].bytes.begin(), (*members)[0].bytes.end()), "abcd");

    // A few bytes that claim nearly 4 GB are refused before anything is
    // read into memory.
    EXPECT_FALSE(ReadCabinetMembers(OneFileCabinet(0xF0000000u), error));
    EXPECT_EQ(error, "its files are larger than any device holds");
    // A claim within bounds but beyond the data is a missing member.
    EXPECT_FALSE(ReadCabinetMembers(OneFileCabinet(8), error));
    EXPECT_NE(error.find("member A.001"), std::string::npos) << error;
}

}  // namespace
}  // namespace cabinet
