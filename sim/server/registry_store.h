// The device's registry: a tree of keys with typed values, shared by every
// program on the device, persisted as a text hive after every change.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device_services.h"

namespace sim {

struct HiveKey;

// What boot found wrong with the hive file.
struct HiveDamage {
    // "empty", "no-header" (no REGEDIT4 first line), "truncated" (the last
    // line has no line end) or "bad-lines" (lines or keys it cannot hold).
    std::string reason;
    int badLines = 0;
    // The last good copy was loaded instead; otherwise what could be read
    // of the damaged hive was.
    bool lastGoodLoaded = false;
    // The damaged file was kept beside the hive (BadCopyPathOf). Until it
    // is, no save replaces it: the registry is then kept in memory only.
    bool badCopyKept = false;
};

// Beside the hive: the hive before the latest save, which boot falls back
// to, and the copy of a damaged hive that boot found.
std::string LastGoodPathOf(const std::string& hivePath);
std::string BadCopyPathOf(const std::string& hivePath);

class RegistryStore : public platform::RegistryService {
public:
    // hivePath: where the hive is read from and saved to; empty keeps the
    // registry in memory only. A damaged hive is replaced by its last good
    // copy when there is a sound one (Damage() tells).
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
    // What was wrong with the hive at boot; none when it was sound or missing.
    const std::optional<HiveDamage>& Damage() const { return damage_; }
    // Asked before every save whether the store has room for a new hive of
    // that many bytes; without it there always is.
    void SetRoomCheck(std::function<bool(uint64_t bytes)> check) { roomCheck_ = std::move(check); }
    // Called when a save fails after one that succeeded, with the Win32 error.
    void SetSaveFailureSink(std::function<void(LONG error)> sink) { saveFailed_ = std::move(sink); }
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
    // Loads hive text into the empty tree; answers what is wrong with it.
    std::optional<HiveDamage> LoadText(const std::string& text);
    void LoadKey(const HiveKey& key);
    void ClearTree();
    void Save();
    LONG WriteHiveFile(const std::string& text);
    void KeepLastGood();

    std::string hivePath_;
    std::unique_ptr<Node> localMachine_;
    std::unique_ptr<Node> currentUser_;
    // Each handle shares its key's cell, which the key clears when it is
    // deleted, so that a handle can tell "deleted" from "never existed".
    std::map<platform::RegKeyId, std::shared_ptr<Node*>> open_;
    platform::RegKeyId nextKey_ = 16;
    bool lastSaveOk_ = true;
    int badHiveLines_ = 0;
    // The hive file holds what was loaded or saved, so it may become the
    // last good copy.
    bool hiveFileSound_ = false;
    // A damaged hive that could not be copied aside, which saves leave alone.
    bool hiveHeld_ = false;
    std::optional<HiveDamage> damage_;
    std::function<bool(uint64_t)> roomCheck_;
    std::function<void(LONG)> saveFailed_;
};

}  // namespace sim
