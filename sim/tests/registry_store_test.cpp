#include "server/registry_store.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "ce/errors.h"
#include "ce/registry.h"

namespace fs = std::filesystem;

namespace sim {
namespace {

using platform::kRegRootCurrentUser;
using platform::kRegRootLocalMachine;
using platform::RegKeyId;

const std::vector<BYTE> kOne = {1, 0, 0, 0};
const std::vector<BYTE> kTwo = {2, 0, 0, 0};

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "qmreg-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        hive_ = folder_ + "/registry.reg";
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string HiveText() const
    {
        std::ifstream in(hive_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void WriteHiveText(const std::string& text) const { std::ofstream(hive_, std::ios::binary) << text; }

    static RegKeyId Create(RegistryStore& store, RegKeyId parent, std::u16string_view path)
    {
        RegKeyId key = 0;
        bool created = false;
        EXPECT_EQ(store.CreateKey(parent, path, key, created), ERROR_SUCCESS);
        return key;
    }
    static LONG Query(RegistryStore& store, RegKeyId key, std::u16string_view name, std::vector<BYTE>& data)
    {
        DWORD type = 0;
        return store.QueryValue(key, name, type, data);
    }

    std::string folder_;
    std::string hive_;
};

TEST_F(RegistryStoreTest, NamesMatchWithoutCaseAndKeepTheirFirstSpelling)
{
    RegistryStore store(hive_);
    RegKeyId created = Create(store, kRegRootLocalMachine, u"software\\QuibSoftware");
    RegKeyId opened = 0;
    ASSERT_EQ(store.OpenKey(kRegRootLocalMachine, u"SOFTWARE\\quibsoftware", opened), ERROR_SUCCESS);
    EXPECT_NE(opened, created);
    EXPECT_EQ(store.PathOf(opened), u"HKEY_LOCAL_MACHINE\\software\\QuibSoftware");

    // A second create with another spelling opens the same key.
    RegKeyId again = 0;
    bool isNew = true;
    ASSERT_EQ(store.CreateKey(kRegRootLocalMachine, u"Software\\QUIBSOFTWARE", again, isNew), ERROR_SUCCESS);
    EXPECT_FALSE(isNew);

    ASSERT_EQ(store.SetValue(opened, u"Value", REG_DWORD, kOne), ERROR_SUCCESS);
    ASSERT_EQ(store.SetValue(created, u"VALUE", REG_DWORD, kTwo), ERROR_SUCCESS);
    std::vector<BYTE> data;
    ASSERT_EQ(Query(store, again, u"value", data), ERROR_SUCCESS);
    EXPECT_EQ(data, kTwo);

    // Latin-1 letters fold as well.
    Create(store, kRegRootCurrentUser, u"Caf\u00e9");
    RegKeyId cafe = 0;
    EXPECT_EQ(store.OpenKey(kRegRootCurrentUser, u"CAF\u00c9", cafe), ERROR_SUCCESS);

    EXPECT_EQ(HiveText(),
              "REGEDIT4\n\n"
              "[HKEY_LOCAL_MACHINE\\software]\n\n"
              "[HKEY_LOCAL_MACHINE\\software\\QuibSoftware]\n"
              "\"Value\"=dword:00000002\n\n"
              "[HKEY_CURRENT_USER\\Caf\xC3\xA9]\n\n");
}

TEST_F(RegistryStoreTest, CreateReportsNewKeysAndOpensPaths)
{
    RegistryStore store("");
    RegKeyId key = 0;
    bool created = false;
    ASSERT_EQ(store.CreateKey(kRegRootCurrentUser, u"a\\b\\c", key, created), ERROR_SUCCESS);
    EXPECT_TRUE(created);
    ASSERT_EQ(store.CreateKey(kRegRootCurrentUser, u"a\\b\\c", key, created), ERROR_SUCCESS);
    EXPECT_FALSE(created);
    ASSERT_EQ(store.CreateKey(kRegRootCurrentUser, u"a\\b", key, created), ERROR_SUCCESS);
    EXPECT_FALSE(created);

    // Trailing backslashes are ignored; an empty path opens the parent again.
    RegKeyId c = 0;
    ASSERT_EQ(store.OpenKey(key, u"c\\\\", c), ERROR_SUCCESS);
    EXPECT_EQ(store.PathOf(c), u"HKEY_CURRENT_USER\\a\\b\\c");
    RegKeyId same = 0;
    ASSERT_EQ(store.OpenKey(c, u"", same), ERROR_SUCCESS);
    EXPECT_NE(same, c);
    EXPECT_EQ(store.PathOf(same), store.PathOf(c));
    ASSERT_EQ(store.CreateKey(kRegRootLocalMachine, u"", same, created), ERROR_SUCCESS);
    EXPECT_FALSE(created);
    EXPECT_EQ(store.PathOf(same), u"HKEY_LOCAL_MACHINE");

    RegKeyId untouched = 12345;
    EXPECT_EQ(store.OpenKey(kRegRootCurrentUser, u"a\\x", untouched), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(store.OpenKey(kRegRootCurrentUser, u"\\a", untouched), ERROR_BAD_PATHNAME);
    EXPECT_EQ(store.CreateKey(kRegRootCurrentUser, u"\\a", untouched, created), ERROR_BAD_PATHNAME);
    EXPECT_EQ(store.CreateKey(kRegRootCurrentUser, u"a\\\\b", untouched, created), ERROR_BAD_PATHNAME);
    EXPECT_EQ(store.CreateKey(kRegRootCurrentUser, u"line\nbreak", untouched, created), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(store.SetValue(c, u"tab\there", REG_BINARY, {}), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(untouched, 12345u);
    EXPECT_EQ(store.OpenKey(kRegRootCurrentUser, u"line\nbreak", untouched), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryStoreTest, ValuesAreSetQueriedAndDeleted)
{
    RegistryStore store("");
    RegKeyId key = Create(store, kRegRootLocalMachine, u"K");
    const std::vector<BYTE> text = {'h', 0, 'i', 0, 0, 0};
    ASSERT_EQ(store.SetValue(key, u"", REG_SZ, text), ERROR_SUCCESS);
    ASSERT_EQ(store.SetValue(key, u"Empty", REG_BINARY, {}), ERROR_SUCCESS);

    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_EQ(store.QueryValue(key, u"", type, data), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(data, text);
    ASSERT_EQ(store.QueryValue(key, u"empty", type, data), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_TRUE(data.empty());

    // Overwriting may change the type.
    ASSERT_EQ(store.SetValue(key, u"", REG_DWORD, kOne), ERROR_SUCCESS);
    ASSERT_EQ(store.QueryValue(key, u"", type, data), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(data, kOne);

    EXPECT_EQ(store.QueryValue(key, u"Missing", type, data), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(store.DeleteValue(key, u"EMPTY"), ERROR_SUCCESS);
    EXPECT_EQ(store.DeleteValue(key, u"Empty"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(store.QueryValue(key, u"Empty", type, data), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryStoreTest, HandlesAreCountedAndRootsStayOpen)
{
    RegistryStore store("");
    EXPECT_EQ(store.OpenKeyCount(), 0u);
    RegKeyId a = Create(store, kRegRootLocalMachine, u"A");
    RegKeyId b = Create(store, kRegRootLocalMachine, u"A");
    EXPECT_NE(a, b);
    EXPECT_EQ(store.OpenKeyCount(), 2u);
    EXPECT_EQ(store.CloseKey(a), ERROR_SUCCESS);
    EXPECT_EQ(store.CloseKey(a), ERROR_INVALID_HANDLE);
    EXPECT_EQ(store.OpenKeyCount(), 1u);

    EXPECT_EQ(store.CloseKey(kRegRootLocalMachine), ERROR_SUCCESS);
    EXPECT_EQ(store.CloseKey(kRegRootCurrentUser), ERROR_SUCCESS);
    EXPECT_EQ(store.SetValue(kRegRootLocalMachine, u"v", REG_DWORD, kOne), ERROR_SUCCESS);

    DWORD type = 0;
    std::vector<BYTE> data;
    RegKeyId out = 0;
    bool created = false;
    for (RegKeyId bad : {RegKeyId(0), RegKeyId(3), a, RegKeyId(99999)}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(store.OpenKey(bad, u"", out), ERROR_INVALID_HANDLE);
        EXPECT_EQ(store.CreateKey(bad, u"x", out, created), ERROR_INVALID_HANDLE);
        EXPECT_EQ(store.SetValue(bad, u"v", REG_DWORD, kOne), ERROR_INVALID_HANDLE);
        EXPECT_EQ(store.QueryValue(bad, u"v", type, data), ERROR_INVALID_HANDLE);
        EXPECT_EQ(store.DeleteValue(bad, u"v"), ERROR_INVALID_HANDLE);
        EXPECT_EQ(store.DeleteKey(bad, u""), ERROR_INVALID_HANDLE);
        EXPECT_EQ(store.PathOf(bad), u"");
    }
    EXPECT_EQ(store.CloseKey(b), ERROR_SUCCESS);
    EXPECT_EQ(store.OpenKeyCount(), 0u);
}

TEST_F(RegistryStoreTest, DeletingAKeyTakesItsSubtreeAndItsHandles)
{
    RegistryStore store(hive_);
    RegKeyId a = Create(store, kRegRootCurrentUser, u"A");
    RegKeyId deep = Create(store, a, u"B\\C");
    RegKeyId sibling = Create(store, kRegRootCurrentUser, u"Sibling");
    ASSERT_EQ(store.SetValue(deep, u"v", REG_DWORD, kOne), ERROR_SUCCESS);

    EXPECT_EQ(store.DeleteKey(kRegRootCurrentUser, u"a"), ERROR_SUCCESS);
    DWORD type = 0;
    std::vector<BYTE> data;
    RegKeyId out = 0;
    bool created = false;
    for (RegKeyId gone : {a, deep}) {
        SCOPED_TRACE(gone);
        EXPECT_EQ(store.OpenKey(gone, u"", out), ERROR_KEY_DELETED);
        EXPECT_EQ(store.CreateKey(gone, u"x", out, created), ERROR_KEY_DELETED);
        EXPECT_EQ(store.SetValue(gone, u"v", REG_DWORD, kOne), ERROR_KEY_DELETED);
        EXPECT_EQ(store.QueryValue(gone, u"v", type, data), ERROR_KEY_DELETED);
        EXPECT_EQ(store.DeleteValue(gone, u"v"), ERROR_KEY_DELETED);
        EXPECT_EQ(store.DeleteKey(gone, u""), ERROR_KEY_DELETED);
        EXPECT_EQ(store.CloseKey(gone), ERROR_SUCCESS);
    }
    EXPECT_EQ(store.OpenKey(kRegRootCurrentUser, u"A\\B\\C", out), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(store.OpenKey(kRegRootCurrentUser, u"A", out), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(store.DeleteKey(kRegRootCurrentUser, u"A"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(HiveText(), "REGEDIT4\n\n[HKEY_CURRENT_USER\\Sibling]\n\n");

    // Deleting a key through its own handle, and refusing the roots.
    EXPECT_EQ(store.DeleteKey(sibling, u""), ERROR_SUCCESS);
    EXPECT_EQ(store.PathOf(sibling), u"");
    RegKeyId root = 0;
    ASSERT_EQ(store.OpenKey(kRegRootLocalMachine, u"", root), ERROR_SUCCESS);
    EXPECT_EQ(store.DeleteKey(root, u""), ERROR_ACCESS_DENIED);
    EXPECT_EQ(store.DeleteKey(kRegRootCurrentUser, u""), ERROR_ACCESS_DENIED);
    EXPECT_EQ(store.DeleteKey(kRegRootCurrentUser, u"\\"), ERROR_BAD_PATHNAME);
    EXPECT_EQ(store.SetValue(root, u"still", REG_DWORD, kOne), ERROR_SUCCESS);
}

TEST_F(RegistryStoreTest, ChangesPersistAcrossStores)
{
    {
        RegistryStore store(hive_);
        RegKeyId key = Create(store, kRegRootLocalMachine, u"Software\\Quib");
        Create(store, kRegRootCurrentUser, u"Empty\\Leaf");
        ASSERT_EQ(store.SetValue(key, u"Count", REG_DWORD, kTwo), ERROR_SUCCESS);
        ASSERT_EQ(store.SetValue(key, u"Gone", REG_DWORD, kOne), ERROR_SUCCESS);
        ASSERT_EQ(store.DeleteValue(key, u"Gone"), ERROR_SUCCESS);
        EXPECT_TRUE(store.LastSaveSucceeded());
    }
    std::string saved = HiveText();
    RegistryStore reopened(hive_);
    EXPECT_EQ(reopened.BadHiveLines(), 0);
    RegKeyId key = 0;
    ASSERT_EQ(reopened.OpenKey(kRegRootLocalMachine, u"software\\quib", key), ERROR_SUCCESS);
    std::vector<BYTE> data;
    ASSERT_EQ(Query(reopened, key, u"count", data), ERROR_SUCCESS);
    EXPECT_EQ(data, kTwo);
    EXPECT_EQ(Query(reopened, key, u"Gone", data), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reopened.OpenKey(kRegRootCurrentUser, u"Empty\\Leaf", key), ERROR_SUCCESS);

    // Saving what was loaded gives the same bytes.
    ASSERT_EQ(reopened.SetValue(key, u"x", REG_DWORD, kOne), ERROR_SUCCESS);
    ASSERT_EQ(reopened.DeleteValue(key, u"x"), ERROR_SUCCESS);
    EXPECT_EQ(HiveText(), saved);
}

TEST_F(RegistryStoreTest, SameContentSavesToSameBytes)
{
    std::string first;
    {
        RegistryStore store(hive_);
        RegKeyId b = Create(store, kRegRootLocalMachine, u"b");
        Create(store, kRegRootLocalMachine, u"A\\z");
        Create(store, kRegRootLocalMachine, u"a\\Y");
        ASSERT_EQ(store.SetValue(b, u"two", REG_DWORD, kTwo), ERROR_SUCCESS);
        ASSERT_EQ(store.SetValue(b, u"One", REG_DWORD, kOne), ERROR_SUCCESS);
        first = HiveText();
    }
    fs::remove(hive_);
    RegistryStore store(hive_);
    RegKeyId b = Create(store, kRegRootLocalMachine, u"b");
    ASSERT_EQ(store.SetValue(b, u"One", REG_DWORD, kOne), ERROR_SUCCESS);
    ASSERT_EQ(store.SetValue(b, u"two", REG_DWORD, kTwo), ERROR_SUCCESS);
    Create(store, kRegRootLocalMachine, u"A\\Y");
    Create(store, kRegRootLocalMachine, u"A\\z");
    EXPECT_EQ(HiveText(), first);
    EXPECT_NE(first.find("[HKEY_LOCAL_MACHINE\\A]\n\n[HKEY_LOCAL_MACHINE\\A\\Y]\n\n[HKEY_LOCAL_MACHINE\\A\\z]"),
              std::string::npos)
        << first;
}

TEST_F(RegistryStoreTest, AFailedSaveKeepsTheOldHiveAndTheStoreWorking)
{
    RegistryStore store(hive_);
    RegKeyId key = Create(store, kRegRootCurrentUser, u"K");
    ASSERT_EQ(store.SetValue(key, u"old", REG_DWORD, kOne), ERROR_SUCCESS);
    std::string before = HiveText();

    // A folder in the temporary file's place makes the save fail, even for
    // a user that ignores permissions.
    fs::create_directory(hive_ + ".tmp");
    EXPECT_EQ(store.SetValue(key, u"new", REG_DWORD, kTwo), ERROR_SUCCESS);
    EXPECT_FALSE(store.LastSaveSucceeded());
    EXPECT_EQ(HiveText(), before);
    std::vector<BYTE> data;
    EXPECT_EQ(Query(store, key, u"new", data), ERROR_SUCCESS);

    fs::remove(hive_ + ".tmp");
    ASSERT_EQ(store.SetValue(key, u"later", REG_DWORD, kOne), ERROR_SUCCESS);
    EXPECT_TRUE(store.LastSaveSucceeded());
    EXPECT_NE(HiveText().find("\"new\"=dword:00000002"), std::string::npos);
    // The hive and its last good copy; no temporary file is left.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 2);
    EXPECT_TRUE(fs::exists(LastGoodPathOf(hive_)));
}

TEST_F(RegistryStoreTest, AHivePathThatIsAFolderLeavesTheRegistryInMemory)
{
    fs::create_directory(hive_);
    RegistryStore store(hive_);
    RegKeyId key = Create(store, kRegRootCurrentUser, u"K");
    EXPECT_FALSE(store.LastSaveSucceeded());
    EXPECT_TRUE(fs::is_directory(hive_));
    EXPECT_FALSE(fs::exists(hive_ + ".tmp"));
    ASSERT_EQ(store.SetValue(key, u"v", REG_DWORD, kOne), ERROR_SUCCESS);
    std::vector<BYTE> data;
    EXPECT_EQ(Query(store, key, u"v", data), ERROR_SUCCESS);
}

TEST_F(RegistryStoreTest, MemoryOnlyStoreWritesNothing)
{
    RegistryStore store("");
    Create(store, kRegRootCurrentUser, u"K");
    EXPECT_TRUE(store.LastSaveSucceeded());
    EXPECT_TRUE(fs::is_empty(folder_));
}

TEST_F(RegistryStoreTest, LoadingSkipsWhatTheRegistryCannotHold)
{
    WriteHiveText(
        "REGEDIT4\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\Good]\r\n"
        "\"v\"=dword:00000007\r\n"
        "garbage\r\n"
        "[HKEY_CLASSES_ROOT\\Unknown]\r\n"
        "\"lost\"=dword:00000001\r\n"
        "[HKEY_CURRENT_USER\\a\\\\b]\r\n"
        "[HKEY_CURRENT_USER\\Tab]\r\n"
        "\"a\tb\"=dword:00000001\r\n"
        "[hkey_current_user\\Lower]\r\n");
    RegistryStore store(hive_);
    // garbage, the unknown root, the empty path component, the tab.
    EXPECT_EQ(store.BadHiveLines(), 4);
    RegKeyId key = 0;
    ASSERT_EQ(store.OpenKey(kRegRootLocalMachine, u"good", key), ERROR_SUCCESS);
    std::vector<BYTE> data;
    ASSERT_EQ(Query(store, key, u"v", data), ERROR_SUCCESS);
    EXPECT_EQ(data, (std::vector<BYTE>{7, 0, 0, 0}));
    EXPECT_EQ(store.OpenKey(kRegRootCurrentUser, u"Tab", key), ERROR_SUCCESS);
    EXPECT_EQ(store.OpenKey(kRegRootCurrentUser, u"Lower", key), ERROR_SUCCESS);
    EXPECT_EQ(store.OpenKey(kRegRootCurrentUser, u"a", key), ERROR_FILE_NOT_FOUND);
}

}  // namespace
}  // namespace sim
