// The device's registry: a tree of keys with typed values, shared by every
// program on the device, persisted as a text hive after every change.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "device_services.h"

namespace sim {

struct HiveKey;

class RegistryStore : public platform::RegistryService {
public:
    // hivePath: where the hive is read from and saved to; empty keeps the
    // registry in memory only.
    explicit RegistryStore(std::string hivePath);
    ~RegistryStore() override;

    LONG OpenKey(platform::RegKeyId parent, std::u16string_view path, platform::RegKeyId& key) override;
    LONG CreateKey(platform::RegKeyId parent, std::u16string_view path, platform::RegKeyId& key,
                   bool& created) override;
    LONG CloseKey(platform::RegKeyId key) override;
    LONG SetValue(platform::RegKeyId key, std::u16string_view name, DWORD type,
                  std::span<const BYTE> data) override;
    LONG QueryValue(platform::RegKeyId key, std::u16string_view name, DWORD& type,
                    std::vector<BYTE>& data) override;
    LONG DeleteValue(platform::RegKeyId key, std::u16string_view name) override;
    LONG DeleteKey(platform::RegKeyId parent, std::u16string_view path) override;
    std::u16string PathOf(platform::RegKeyId key) override;
    LONG EnumKey(platform::RegKeyId key, DWORD index, std::u16string& name) override;

    // False when the last save could not be made (the registry is then
    // still complete in memory; the previous hive file is left intact).
    bool LastSaveSucceeded() const { return lastSaveOk_; }
    // Number of hive lines skipped as malformed when loading.
    int BadHiveLines() const { return badHiveLines_; }
    // Number of keys currently open (for handle-leak checks in tests).
    size_t OpenKeyCount() const;

    struct Node;

private:
    LONG Resolve(platform::RegKeyId key, Node*& node);
    // Finds (or with create, makes) the key at path below from.
    LONG Walk(Node* from, std::u16string_view path, bool create, Node*& node, bool& created);
    // The existing key that path names below parent.
    LONG Find(platform::RegKeyId parent, std::u16string_view path, Node*& node);
    platform::RegKeyId AddHandle(Node* node);
    void Load();
    void LoadKey(const HiveKey& key);
    void Save();
    bool WriteHiveFile(const std::string& text);

    std::string hivePath_;
    std::unique_ptr<Node> localMachine_;
    std::unique_ptr<Node> currentUser_;
    // Each handle shares its key's cell, which the key clears when it is
    // deleted, so that a handle can tell "deleted" from "never existed".
    std::map<platform::RegKeyId, std::shared_ptr<Node*>> open_;
    platform::RegKeyId nextKey_ = 16;
    bool lastSaveOk_ = true;
    int badHiveLines_ = 0;
};

}  // namespace sim
