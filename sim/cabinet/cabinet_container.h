// The Microsoft Cabinet (MSCF) container of a device cabinet, read from
// memory with libmspack, the reference reader.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cabinet {

struct CabinetMember {
    std::string name;  // as stored, e.g. "QUIBMO~1.001"
    std::vector<uint8_t> bytes;
};

// Every member of a whole, single-volume cabinet, in stored order; nothing,
// with the reason in `error`, when the bytes are not one, any member's data
// is missing or fails its checksum, or the members claim more than 512 MB.
std::optional<std::vector<CabinetMember>> ReadCabinetMembers(std::string_view bytes, std::string& error);

// The numeric extension of an 8.3 member name ("QUIBMO~1.001" is 1);
// nothing when the name has no three-digit extension.
std::optional<uint16_t> MemberNumber(std::string_view name);

}  // namespace cabinet
