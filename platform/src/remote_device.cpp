#include "remote_device.h"

#include "server/wire_records.h"
#include "server_connection.h"

namespace platform {

using sim::Op;
using sim::WireReader;
using sim::WireWriter;

LONG RemoteRegistry::OpenKey(RegKeyId parent, std::u16string_view path, RegKeyId& key)
{
    WireWriter args;
    args.U32(parent).Text(path);
    std::string reply = Call(Op::RegOpenKey, args);
    WireReader in(reply);
    LONG result = in.I32();
    key = in.U32();
    return result;
}

LONG RemoteRegistry::CreateKey(RegKeyId parent, std::u16string_view path, RegKeyId& key, bool& created)
{
    WireWriter args;
    args.U32(parent).Text(path);
    std::string reply = Call(Op::RegCreateKey, args);
    WireReader in(reply);
    LONG result = in.I32();
    key = in.U32();
    created = in.U8() != 0;
    return result;
}

LONG RemoteRegistry::CloseKey(RegKeyId key)
{
    WireWriter args;
    args.U32(key);
    std::string reply = Call(Op::RegCloseKey, args);
    WireReader in(reply);
    return in.I32();
}

LONG RemoteRegistry::SetValue(RegKeyId key, std::u16string_view name, DWORD type, std::span<const BYTE> data)
{
    WireWriter args;
    args.U32(key).Text(name).U32(type).Bytes(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    std::string reply = Call(Op::RegSetValue, args);
    WireReader in(reply);
    return in.I32();
}

LONG RemoteRegistry::QueryValue(RegKeyId key, std::u16string_view name, DWORD& type, std::vector<BYTE>& data)
{
    WireWriter args;
    args.U32(key).Text(name);
    std::string reply = Call(Op::RegQueryValue, args);
    WireReader in(reply);
    LONG result = in.I32();
    type = in.U32();
    std::string bytes = in.Bytes();
    data.assign(bytes.begin(), bytes.end());
    return result;
}

LONG RemoteRegistry::DeleteValue(RegKeyId key, std::u16string_view name)
{
    WireWriter args;
    args.U32(key).Text(name);
    std::string reply = Call(Op::RegDeleteValue, args);
    WireReader in(reply);
    return in.I32();
}

LONG RemoteRegistry::DeleteKey(RegKeyId parent, std::u16string_view path)
{
    WireWriter args;
    args.U32(parent).Text(path);
    std::string reply = Call(Op::RegDeleteKey, args);
    WireReader in(reply);
    return in.I32();
}

std::u16string RemoteRegistry::PathOf(RegKeyId key)
{
    WireWriter args;
    args.U32(key);
    std::string reply = Call(Op::RegPathOf, args);
    WireReader in(reply);
    return in.Text();
}

LONG RemoteRegistry::EnumKey(RegKeyId key, DWORD index, std::u16string& name)
{
    WireWriter args;
    args.U32(key).U32(index);
    std::string reply = Call(Op::RegEnumKey, args);
    WireReader in(reply);
    LONG result = in.I32();
    name = in.Text();
    return result;
}

DeviceStatus RemoteDevice::Status()
{
    std::string reply = Call(Op::Status, WireWriter());
    WireReader in(reply);
    return sim::ReadStatus(in);
}

void RemoteDevice::LogEvent(std::string_view line)
{
    WireWriter args;
    args.Bytes(line);
    Call(Op::Log, args);
}

}  // namespace platform
