#include "setup/desktop/program_resources.h"

#include <windows.h>

#include <cstring>

#include "setup/desktop/languages.h"
#include "setup/desktop/resource_ids.h"

namespace {

constexpr int kTextBufferSize = 256;

}  // namespace

std::optional<std::string_view> ResourceBytes(int type, int id)
{
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
    if (!found)
        return std::nullopt;
    HGLOBAL loaded = LoadResource(nullptr, found);
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!bytes)
        return std::nullopt;
    return std::string_view(bytes, SizeofResource(nullptr, found));
}

std::optional<std::string> ResourceText(int type, int id)
{
    std::optional<std::string_view> bytes = ResourceBytes(type, id);
    if (!bytes)
        return std::nullopt;
    return std::string(bytes->substr(0, bytes->find('\0')));
}

std::string LoadMessage(int id, int language)
{
    char buffer[kTextBufferSize];
    int length = LoadStringA(GetModuleHandleW(nullptr), static_cast<UINT>(id + LanguageOffset(language)), buffer,
                             kTextBufferSize);
    return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

std::optional<std::string_view> ResourcePayloads::Payload(int number)
{
    return ResourceBytes(PAYLOAD_TYPE, number);
}

std::optional<std::string> ResourcePayloads::FileName(int number)
{
    return ResourceText(PAYLOAD_NAME_TYPE, number);
}
