// The registry tree. Keys and values are found by a case-folded name and keep
// the spelling they were created with. Paths follow Windows NT: a leading
// backslash is ERROR_BAD_PATHNAME, trailing backslashes are ignored, and an
// empty component in the middle is ERROR_BAD_PATHNAME as well. Names with
// control characters are refused (ERROR_INVALID_PARAMETER) because the text
// hive could not hold them.
//
// The hive lists keys depth first, siblings and values ordered by their folded
// names, so the same registry always saves to the same bytes.
//
// Each save keeps the hive it replaces as the last good copy, a second name
// of the same file, so that boot can fall back to it when the hive itself
// turns out damaged. A damaged hive is kept beside it before anything
// overwrites it.
#include "registry_store.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>

#include "ce/errors.h"
#include "registry_hive.h"

namespace sim {

struct RegistryStore::Node {
    explicit Node(std::u16string n, Node* p) : name(std::move(n)), parent(p), self(std::make_shared<Node*>(this)) {}
    ~Node() { *self = nullptr; }

    std::u16string name;
    Node* parent;
    std::map<std::u16string, std::unique_ptr<Node>> children;  // by folded name
    std::map<std::u16string, HiveValue> values;               // by folded name
    std::shared_ptr<Node*> self;
};

namespace {

using platform::RegKeyId;

constexpr std::u16string_view kLocalMachineName = u"HKEY_LOCAL_MACHINE";
constexpr std::u16string_view kCurrentUserName = u"HKEY_CURRENT_USER";

// Upper-cases ASCII and Latin-1 letters, which is what names need to match.
std::u16string Folded(std::u16string_view name)
{
    std::u16string out(name);
    for (char16_t& c : out) {
        if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
            c = static_cast<char16_t>(c - 0x20);
    }
    return out;
}

bool NameWritable(std::u16string_view name)
{
    for (char16_t c : name) {
        if (c < 0x20)
            return false;
    }
    return true;
}

// Splits a relative key path; an empty path names the key itself.
LONG SplitPath(std::u16string_view path, std::vector<std::u16string_view>& parts)
{
    if (!path.empty() && path.front() == u'\\')
        return ERROR_BAD_PATHNAME;
    while (!path.empty() && path.back() == u'\\')
        path.remove_suffix(1);
    while (!path.empty()) {
        size_t slash = path.find(u'\\');
        std::u16string_view part = path.substr(0, slash);
        if (part.empty())
            return ERROR_BAD_PATHNAME;
        parts.push_back(part);
        path.remove_prefix(slash == std::u16string_view::npos ? path.size() : slash + 1);
    }
    return ERROR_SUCCESS;
}

std::u16string FullPath(const RegistryStore::Node& node)
{
    std::u16string path = node.name;
    for (const RegistryStore::Node* up = node.parent; up != nullptr; up = up->parent)
        path = up->name + u"\\" + path;
    return path;
}

void CollectKeys(const RegistryStore::Node& node, std::vector<HiveKey>& keys)
{
    if (node.parent != nullptr || !node.values.empty()) {
        HiveKey key{FullPath(node), {}};
        for (const auto& [folded, value] : node.values)
            key.values.push_back(value);
        keys.push_back(std::move(key));
    }
    for (const auto& [folded, child] : node.children)
        CollectKeys(*child, keys);
}

// Makes the rename itself durable. Best effort: the new hive is already in
// place, and a folder that cannot be synced has no better fallback.
void SyncFolderOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// What is wrong with the hive text as a whole; empty when nothing is. The
// registry always writes the header and ends every line, so a file without
// them was cut short or is not a hive.
std::string FormFault(std::string_view text)
{
    if (text.empty())
        return "empty";
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    std::string_view first = text.substr(0, text.find('\n'));
    size_t end = first.find_last_not_of(" \t\r");
    size_t start = first.find_first_not_of(" \t");
    if (end == std::string_view::npos || first.substr(start, end + 1 - start) != "REGEDIT4")
        return "no-header";
    if (text.back() != '\n')
        return "truncated";
    return {};
}

// Puts a copy of the file at copyPath: a second name where the file system
// allows one, else its bytes. True when the copy is there.
bool KeepCopy(const std::string& path, const std::string& copyPath, const std::string& bytes)
{
    unlink(copyPath.c_str());
    if (link(path.c_str(), copyPath.c_str()) == 0)
        return true;
    std::ofstream out(copyPath, std::ios::binary);
    out << bytes;
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

std::string LastGoodPathOf(const std::string& hivePath) { return hivePath + ".last"; }
std::string BadCopyPathOf(const std::string& hivePath) { return hivePath + ".bad"; }

RegistryStore::RegistryStore(std::string hivePath)
    : hivePath_(std::move(hivePath)),
      localMachine_(std::make_unique<Node>(std::u16string(kLocalMachineName), nullptr)),
      currentUser_(std::make_unique<Node>(std::u16string(kCurrentUserName), nullptr))
{
    Load();
}

RegistryStore::~RegistryStore() = default;

size_t RegistryStore::OpenKeyCount() const { return open_.size(); }

LONG RegistryStore::Resolve(RegKeyId key, Node*& node)
{
    if (key == platform::kRegRootLocalMachine) {
        node = localMachine_.get();
        return ERROR_SUCCESS;
    }
    if (key == platform::kRegRootCurrentUser) {
        node = currentUser_.get();
        return ERROR_SUCCESS;
    }
    auto found = open_.find(key);
    if (found == open_.end())
        return ERROR_INVALID_HANDLE;
    node = *found->second;
    return node != nullptr ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

LONG RegistryStore::Walk(Node* from, std::u16string_view path, bool create, Node*& node, bool& created)
{
    std::vector<std::u16string_view> parts;
    created = false;
    if (LONG result = SplitPath(path, parts); result != ERROR_SUCCESS)
        return result;
    node = from;
    for (std::u16string_view part : parts) {
        std::u16string folded = Folded(part);
        auto found = node->children.find(folded);
        if (found != node->children.end()) {
            node = found->second.get();
            continue;
        }
        if (!create)
            return ERROR_FILE_NOT_FOUND;
        if (!NameWritable(part))
            return ERROR_INVALID_PARAMETER;
        auto child = std::make_unique<Node>(std::u16string(part), node);
        node = node->children.emplace(std::move(folded), std::move(child)).first->second.get();
        created = true;
    }
    return ERROR_SUCCESS;
}

RegKeyId RegistryStore::AddHandle(Node* node)
{
    RegKeyId id = nextKey_++;
    open_.emplace(id, node->self);
    return id;
}

LONG RegistryStore::Find(RegKeyId parent, std::u16string_view path, Node*& node)
{
    Node* from = nullptr;
    if (LONG result = Resolve(parent, from); result != ERROR_SUCCESS)
        return result;
    bool created = false;
    return Walk(from, path, false, node, created);
}

LONG RegistryStore::OpenKey(RegKeyId parent, std::u16string_view path, RegKeyId& key)
{
    Node* node = nullptr;
    if (LONG result = Find(parent, path, node); result != ERROR_SUCCESS)
        return result;
    key = AddHandle(node);
    return ERROR_SUCCESS;
}

LONG RegistryStore::CreateKey(RegKeyId parent, std::u16string_view path, RegKeyId& key, bool& created)
{
    Node* from = nullptr;
    if (LONG result = Resolve(parent, from); result != ERROR_SUCCESS)
        return result;
    Node* node = nullptr;
    LONG result = Walk(from, path, true, node, created);
    // A failure part-way may still have made the first keys of the path.
    if (created)
        Save();
    if (result != ERROR_SUCCESS)
        return result;
    key = AddHandle(node);
    return ERROR_SUCCESS;
}

LONG RegistryStore::CloseKey(RegKeyId key)
{
    if (key == platform::kRegRootLocalMachine || key == platform::kRegRootCurrentUser)
        return ERROR_SUCCESS;
    return open_.erase(key) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegistryStore::SetValue(RegKeyId key, std::u16string_view name, DWORD type, std::span<const BYTE> data)
{
    Node* node = nullptr;
    if (LONG result = Resolve(key, node); result != ERROR_SUCCESS)
        return result;
    if (!NameWritable(name))
        return ERROR_INVALID_PARAMETER;
    auto [slot, added] = node->values.try_emplace(Folded(name), HiveValue{std::u16string(name), type, {}});
    slot->second.type = type;
    slot->second.data.assign(data.begin(), data.end());
    Save();
    return ERROR_SUCCESS;
}

LONG RegistryStore::QueryValue(RegKeyId key, std::u16string_view name, DWORD& type, std::vector<BYTE>& data)
{
    Node* node = nullptr;
    if (LONG result = Resolve(key, node); result != ERROR_SUCCESS)
        return result;
    auto found = node->values.find(Folded(name));
    if (found == node->values.end())
        return ERROR_FILE_NOT_FOUND;
    type = found->second.type;
    data = found->second.data;
    return ERROR_SUCCESS;
}

LONG RegistryStore::DeleteValue(RegKeyId key, std::u16string_view name)
{
    Node* node = nullptr;
    if (LONG result = Resolve(key, node); result != ERROR_SUCCESS)
        return result;
    if (node->values.erase(Folded(name)) == 0)
        return ERROR_FILE_NOT_FOUND;
    Save();
    return ERROR_SUCCESS;
}

LONG RegistryStore::DeleteKey(RegKeyId parent, std::u16string_view path)
{
    Node* node = nullptr;
    if (LONG result = Find(parent, path, node); result != ERROR_SUCCESS)
        return result;
    if (node->parent == nullptr)
        return ERROR_ACCESS_DENIED;
    // Dropping the node drops its subtree; every key in it clears its cell.
    node->parent->children.erase(Folded(node->name));
    Save();
    return ERROR_SUCCESS;
}

std::u16string RegistryStore::PathOf(RegKeyId key)
{
    Node* node = nullptr;
    if (Resolve(key, node) != ERROR_SUCCESS)
        return {};
    return FullPath(*node);
}

LONG RegistryStore::EnumKey(RegKeyId key, DWORD index, std::u16string& name)
{
    Node* node = nullptr;
    LONG result = Resolve(key, node);
    if (result != ERROR_SUCCESS)
        return result;
    if (index >= node->children.size())
        return ERROR_NO_MORE_ITEMS;
    name = std::next(node->children.begin(), index)->second->name;
    return ERROR_SUCCESS;
}

void RegistryStore::Load()
{
    if (hivePath_.empty())
        return;
    std::optional<std::string> text = ReadWholeFile(hivePath_);
    if (!text)
        return;
    std::optional<HiveDamage> damage = LoadText(*text);
    if (!damage) {
        hiveFileSound_ = true;
        return;
    }
    damage->badCopyKept = KeepCopy(hivePath_, BadCopyPathOf(hivePath_), *text);
    hiveHeld_ = !damage->badCopyKept;
    if (std::optional<std::string> good = ReadWholeFile(LastGoodPathOf(hivePath_))) {
        ClearTree();
        damage->lastGoodLoaded = !LoadText(*good);
        if (!damage->lastGoodLoaded) {
            // Of two damaged hives the newer one is read.
            ClearTree();
            LoadText(*text);
        }
    }
    damage_ = std::move(damage);
}

std::optional<HiveDamage> RegistryStore::LoadText(const std::string& text)
{
    int badLines = 0;
    std::vector<HiveKey> keys = ReadHive(text, badLines);
    badHiveLines_ = badLines;
    for (const HiveKey& key : keys)
        LoadKey(key);
    std::string reason = FormFault(text);
    if (reason.empty() && badHiveLines_ > 0)
        reason = "bad-lines";
    if (reason.empty())
        return std::nullopt;
    return HiveDamage{reason, badHiveLines_};
}

// Boot only: no key is open yet.
void RegistryStore::ClearTree()
{
    for (Node* root : {localMachine_.get(), currentUser_.get()}) {
        root->children.clear();
        root->values.clear();
    }
}

// A key whose root is unknown or whose path or names cannot be held is
// skipped and counted with the malformed lines.
void RegistryStore::LoadKey(const HiveKey& key)
{
    std::u16string_view path = key.path;
    size_t slash = path.find(u'\\');
    std::u16string rootName = Folded(path.substr(0, slash));
    Node* root = rootName == kLocalMachineName ? localMachine_.get()
                 : rootName == kCurrentUserName ? currentUser_.get()
                                                 : nullptr;
    std::u16string_view rest = slash == std::u16string_view::npos ? std::u16string_view() : path.substr(slash + 1);
    Node* node = nullptr;
    bool created = false;
    if (root == nullptr || Walk(root, rest, true, node, created) != ERROR_SUCCESS) {
        ++badHiveLines_;
        return;
    }
    for (const HiveValue& value : key.values) {
        if (NameWritable(value.name))
            node->values.insert_or_assign(Folded(value.name), value);
        else
            ++badHiveLines_;
    }
}

void RegistryStore::Save()
{
    if (hivePath_.empty())
        return;
    std::vector<HiveKey> keys;
    CollectKeys(*localMachine_, keys);
    CollectKeys(*currentUser_, keys);
    LONG result = WriteHiveFile(WriteHive(keys));
    if (result != ERROR_SUCCESS && lastSaveOk_ && saveFailed_)
        saveFailed_(result);
    lastSaveOk_ = result == ERROR_SUCCESS;
}

// Writes beside the hive and renames over it, so that a crash or a full disk
// leaves either the old hive or the new one, never half of one.
LONG RegistryStore::WriteHiveFile(const std::string& text)
{
    if (hiveHeld_)
        return ERROR_ACCESS_DENIED;
    if (roomCheck_ && !roomCheck_(text.size()))
        return ERROR_DISK_FULL;
    std::string tempPath = hivePath_ + ".tmp";
    int fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return ERROR_WRITE_FAULT;
    int error = 0;
    for (size_t done = 0; error == 0 && done < text.size();) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            error = n < 0 ? errno : EIO;
        else
            done += static_cast<size_t>(n);
    }
    if (error == 0 && fsync(fd) != 0)
        error = errno;
    if (close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0) {
        if (hiveFileSound_)
            KeepLastGood();
        if (rename(tempPath.c_str(), hivePath_.c_str()) != 0)
            error = errno;
    }
    if (error != 0) {
        unlink(tempPath.c_str());
        return error == ENOSPC || error == EDQUOT ? ERROR_DISK_FULL : ERROR_WRITE_FAULT;
    }
    hiveFileSound_ = true;
    SyncFolderOf(hivePath_);
    return ERROR_SUCCESS;
}

// The hive about to be replaced becomes the last good copy, in one rename,
// so that a crash leaves the old copy or the new one. Without it boot has
// the older copy to fall back to, which is no reason to refuse the save.
void RegistryStore::KeepLastGood()
{
    std::string lastGood = LastGoodPathOf(hivePath_);
    std::string tempPath = lastGood + ".tmp";
    unlink(tempPath.c_str());
    if (link(hivePath_.c_str(), tempPath.c_str()) != 0 || rename(tempPath.c_str(), lastGood.c_str()) != 0)
        unlink(tempPath.c_str());
}

}  // namespace sim
