// What a program's platform library asks of the device server.
//
// The server owns the device's shared state (registry, profile, event log).
// For now it lives in the same process; the interface is kept narrow and
// value-based so that it can be carried over a socket unchanged.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ce/types.h"

namespace platform {

// Server-side identifier of an open registry key. The predefined roots
// have fixed ids; every open or create returns a fresh id.
using RegKeyId = uint32_t;
constexpr RegKeyId kRegRootLocalMachine = 1;
constexpr RegKeyId kRegRootCurrentUser = 2;

class RegistryService {
public:
    virtual ~RegistryService() = default;

    // Every operation answers a Win32 error code (ERROR_SUCCESS on success).
    // Paths use backslashes; names compare without regard to case.
    virtual LONG OpenKey(RegKeyId parent, std::u16string_view path, RegKeyId& key) = 0;
    virtual LONG CreateKey(RegKeyId parent, std::u16string_view path, RegKeyId& key, bool& created) = 0;
    virtual LONG CloseKey(RegKeyId key) = 0;
    virtual LONG SetValue(RegKeyId key, std::u16string_view name, DWORD type, std::span<const BYTE> data) = 0;
    virtual LONG QueryValue(RegKeyId key, std::u16string_view name, DWORD& type, std::vector<BYTE>& data) = 0;
    virtual LONG DeleteValue(RegKeyId key, std::u16string_view name) = 0;
    // Deletes the key and everything below it, as CE does.
    virtual LONG DeleteKey(RegKeyId parent, std::u16string_view path) = 0;
    // The open key's full path from its root name, as its keys are spelled,
    // e.g. u"HKEY_LOCAL_MACHINE\\Software\\X"; empty for an unknown or
    // deleted key.
    virtual std::u16string PathOf(RegKeyId key) = 0;
    // The name of the key's sub-key at index, in the order the hive keeps
    // them; ERROR_NO_MORE_ITEMS past the last.
    virtual LONG EnumKey(RegKeyId key, DWORD index, std::u16string& name) = 0;
};

// The device's figures as the status calls report them.
struct DeviceStatus {
    DWORD osMajor = 5;
    DWORD osMinor = 1;
    DWORD osBuild = 1700;
    char16_t decimalSeparator = u'.';
    char16_t thousandsSeparator = u',';
    BYTE acLineStatus = 0;
    BYTE mainFlag = 1;
    BYTE mainPercent = 100;
    BYTE backupFlag = 1;
    BYTE backupPercent = 100;
    DWORD memoryTotal = 0;
    DWORD memoryAvailable = 0;
    DWORD storeSize = 0;
    DWORD storeFree = 0;
    // The object store holds at most storeSize bytes of files: storeFree is
    // what they leave, and a write past it fails with ERROR_DISK_FULL.
    bool storeLimited = false;
    uint64_t appDataTotal = 0;
    uint64_t appDataFree = 0;
    bool cardPresent = false;
    uint64_t cardTotal = 0;
    uint64_t cardFree = 0;
};

class DeviceServer {
public:
    virtual ~DeviceServer() = default;

    virtual RegistryService& Registry() = 0;
    virtual DeviceStatus Status() = 0;
    // Host folder holding the device's file system.
    virtual std::string RootPath() = 0;
    // One line of the event log; the server adds the device time.
    virtual void LogEvent(std::string_view line) = 0;
};

// The server this process talks to.
DeviceServer& Server();

}  // namespace platform
