// The device server as seen through the connection: every call is a
// request over the socket.
#pragma once

#include <string>

#include "device_services.h"

namespace platform {

class RemoteRegistry : public RegistryService {
public:
    LONG OpenKey(RegKeyId parent, std::u16string_view path, RegKeyId& key) override;
    LONG CreateKey(RegKeyId parent, std::u16string_view path, RegKeyId& key, bool& created) override;
    LONG CloseKey(RegKeyId key) override;
    LONG SetValue(RegKeyId key, std::u16string_view name, DWORD type, std::span<const BYTE> data) override;
    LONG QueryValue(RegKeyId key, std::u16string_view name, DWORD& type, std::vector<BYTE>& data) override;
    LONG DeleteValue(RegKeyId key, std::u16string_view name) override;
    LONG DeleteKey(RegKeyId parent, std::u16string_view path) override;
    std::u16string PathOf(RegKeyId key) override;
    LONG EnumKey(RegKeyId key, DWORD index, std::u16string& name) override;
};

class RemoteDevice : public DeviceServer {
public:
    explicit RemoteDevice(std::string rootPath) : rootPath_(std::move(rootPath)) {}

    RegistryService& Registry() override { return registry_; }
    DeviceStatus Status() override;
    std::string RootPath() override { return rootPath_; }
    void LogEvent(std::string_view line) override;

private:
    std::string rootPath_;
    RemoteRegistry registry_;
};

}  // namespace platform
