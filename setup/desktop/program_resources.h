// pcsetup's own resources: payload bytes, zero-terminated texts of the
// numbered types, and the per-language message table.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "setup/desktop/payload_writer.h"

std::optional<std::string_view> ResourceBytes(int type, int id);
// Up to the first zero byte (or the whole resource when there is none).
std::optional<std::string> ResourceText(int type, int id);
// Message id + the language's offset, through a 256-byte buffer (longer
// texts are cut to 255 characters); empty when missing.
std::string LoadMessage(int id, int language);

// Payloads and their file names from types 100 and 101.
class ResourcePayloads : public PayloadSource {
public:
    std::optional<std::string_view> Payload(int number) override;
    std::optional<std::string> FileName(int number) override;
};
