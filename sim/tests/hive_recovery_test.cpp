// A damaged hive at boot, the last good copy beside it, and saves that
// cannot be made.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "ce/errors.h"
#include "ce/registry.h"
#include "server/registry_store.h"

namespace fs = std::filesystem;

namespace sim {
namespace {

using platform::kRegRootCurrentUser;
using platform::RegKeyId;

constexpr char kGoodHive[] =
    "REGEDIT4\n\n"
    "[HKEY_CURRENT_USER\\Settings]\n"
    "\"Theme\"=\"steel\"\n"
    "\"Count\"=dword:00000002\n\n";

class HiveRecoveryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "qmhive-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        hive_ = folder_ + "/registry.reg";
    }
    void TearDown() override { fs::remove_all(folder_); }

    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void Write(const std::string& path, const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
    }

    // The value "Theme" of HKCU\Settings; none when it is not there.
    static std::optional<std::string> Theme(RegistryStore& store)
    {
        RegKeyId key = 0;
        if (store.OpenKey(kRegRootCurrentUser, u"Settings", key) != ERROR_SUCCESS)
            return std::nullopt;
        DWORD type = 0;
        std::vector<BYTE> data;
        LONG result = store.QueryValue(key, u"Theme", type, data);
        store.CloseKey(key);
        if (result != ERROR_SUCCESS)
            return std::nullopt;
        std::string text;
        for (size_t i = 0; i + 1 < data.size() && data[i] != 0; i += 2)
            text += static_cast<char>(data[i]);
        return text;
    }

    static LONG SetTheme(RegistryStore& store, const std::u16string& theme)
    {
        RegKeyId key = 0;
        bool created = false;
        EXPECT_EQ(store.CreateKey(kRegRootCurrentUser, u"Settings", key, created), ERROR_SUCCESS);
        std::vector<BYTE> data;
        for (char16_t c : theme) {
            data.push_back(static_cast<BYTE>(c));
            data.push_back(0);
        }
        data.insert(data.end(), {0, 0});
        LONG result = store.SetValue(key, u"Theme", REG_SZ, data);
        store.CloseKey(key);
        return result;
    }

    std::string folder_;
    std::string hive_;
};

struct DamagedHive {
    const char* name;
    std::string text;
    const char* reason;
    int badLines;
};

std::vector<DamagedHive> DamagedHives()
{
    std::string good = kGoodHive;
    return {
        {"empty", "", "empty", 0},
        {"cut mid-line", good.substr(0, good.find("steel") + 2), "truncated", 1},
        {"no header", "[HKEY_CURRENT_USER\\Settings]\n\"Theme\"=\"blue\"\n\n", "no-header", 0},
        {"binary junk", std::string("\x7f" "ELF\x02\x01\x01\0\0", 9), "no-header", 1},
        {"garbled line", "REGEDIT4\n\n[HKEY_CURRENT_USER\\Settings]\n\"Theme\"=dwo\x01rd:zz\n\n", "bad-lines", 1},
        {"unknown root", "REGEDIT4\n\n[HKEY_NOWHERE\\Settings]\n\"Theme\"=\"blue\"\n\n", "bad-lines", 1},
    };
}

TEST_F(HiveRecoveryTest, ADamagedHiveIsReplacedByTheLastGoodCopy)
{
    for (const DamagedHive& damaged : DamagedHives()) {
        SCOPED_TRACE(damaged.name);
        Write(LastGoodPathOf(hive_), kGoodHive);
        Write(hive_, damaged.text);
        RegistryStore store(hive_);
        ASSERT_TRUE(store.Damage().has_value());
        EXPECT_EQ(store.Damage()->reason, damaged.reason);
        EXPECT_EQ(store.Damage()->badLines, damaged.badLines);
        EXPECT_TRUE(store.Damage()->lastGoodLoaded);
        EXPECT_TRUE(store.Damage()->badCopyKept);
        EXPECT_EQ(Theme(store), "steel");
        EXPECT_EQ(Read(BadCopyPathOf(hive_)), damaged.text);

        // The next save writes the restored registry and keeps the good
        // copy, not the damaged file, as the last good one.
        ASSERT_EQ(SetTheme(store, u"ocean"), ERROR_SUCCESS);
        EXPECT_TRUE(store.LastSaveSucceeded());
        EXPECT_EQ(Read(LastGoodPathOf(hive_)), kGoodHive);
        EXPECT_NE(Read(hive_).find("\"Theme\"=\"ocean\""), std::string::npos);
    }
}

TEST_F(HiveRecoveryTest, WithoutAGoodCopyTheReadablePartIsLoadedAndTheFileKept)
{
    std::string cut = std::string(kGoodHive).substr(0, std::string(kGoodHive).find("Count") + 3);
    struct Case {
        const char* name;
        std::optional<std::string> lastGood;
    };
    const Case cases[] = {
        {"no copy", std::nullopt},
        {"a damaged copy", std::string("REGEDIT4\n\n[HKEY_CURRENT_USER\\Settings]\n\"Theme\"=\"old\"")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(LastGoodPathOf(hive_));
        if (c.lastGood)
            Write(LastGoodPathOf(hive_), *c.lastGood);
        Write(hive_, cut);
        RegistryStore store(hive_);
        ASSERT_TRUE(store.Damage().has_value());
        EXPECT_EQ(store.Damage()->reason, "truncated");
        EXPECT_FALSE(store.Damage()->lastGoodLoaded);
        EXPECT_EQ(Theme(store), "steel");
        EXPECT_EQ(Read(BadCopyPathOf(hive_)), cut);

        // Saving over the damaged hive leaves its copy alone.
        ASSERT_EQ(SetTheme(store, u"ocean"), ERROR_SUCCESS);
        EXPECT_EQ(Read(BadCopyPathOf(hive_)), cut);
        EXPECT_EQ(Theme(store), "ocean");
        if (c.lastGood)
            EXPECT_EQ(Read(LastGoodPathOf(hive_)), *c.lastGood);
        else
            EXPECT_FALSE(fs::exists(LastGoodPathOf(hive_)));
    }
}

TEST_F(HiveRecoveryTest, ADamagedHiveThatCannotBeCopiedIsNeverSavedOver)
{
    const std::string damaged = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Settings]\n\"Theme\"=\"ste";
    Write(hive_, damaged);
    // A folder where the copy would go.
    fs::create_directory(BadCopyPathOf(hive_));
    RegistryStore store(hive_);
    ASSERT_TRUE(store.Damage().has_value());
    EXPECT_FALSE(store.Damage()->badCopyKept);
    std::vector<LONG> failures;
    store.SetSaveFailureSink([&](LONG error) { failures.push_back(error); });
    EXPECT_EQ(SetTheme(store, u"ocean"), ERROR_SUCCESS);
    EXPECT_EQ(Theme(store), "ocean");
    EXPECT_FALSE(store.LastSaveSucceeded());
    EXPECT_EQ(failures, std::vector<LONG>{ERROR_ACCESS_DENIED});
    EXPECT_EQ(Read(hive_), damaged);
}

TEST_F(HiveRecoveryTest, SoundOrMissingHivesAreNotDamaged)
{
    {
        RegistryStore fresh(hive_);
        EXPECT_FALSE(fresh.Damage().has_value());
    }
    const std::string sound[] = {
        kGoodHive,
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Settings]\r\n\"Theme\"=\"steel\"\r\n",
        "\xEF\xBB\xBF" "REGEDIT4\n; a comment\n[HKEY_CURRENT_USER\\Settings]\n\"Theme\"=\"steel\"\n",
    };
    for (const std::string& text : sound) {
        SCOPED_TRACE(text);
        Write(hive_, text);
        RegistryStore store(hive_);
        EXPECT_FALSE(store.Damage().has_value());
        EXPECT_EQ(Theme(store), "steel");
        EXPECT_FALSE(fs::exists(BadCopyPathOf(hive_)));
    }
}

TEST_F(HiveRecoveryTest, EachSaveKeepsTheHiveItReplaces)
{
    RegistryStore store(hive_);
    ASSERT_EQ(SetTheme(store, u"one"), ERROR_SUCCESS);
    std::string first = Read(hive_);
    ASSERT_EQ(SetTheme(store, u"two"), ERROR_SUCCESS);
    EXPECT_EQ(Read(LastGoodPathOf(hive_)), first);
    std::string second = Read(hive_);
    ASSERT_EQ(SetTheme(store, u"three"), ERROR_SUCCESS);
    EXPECT_EQ(Read(LastGoodPathOf(hive_)), second);
    EXPECT_FALSE(fs::exists(hive_ + ".tmp"));
    EXPECT_FALSE(fs::exists(LastGoodPathOf(hive_) + ".tmp"));

    // Damage after the last save: boot comes back one change earlier.
    Write(hive_, "REGEDIT4\n\n[HKEY_CURRENT_USER\\Sett");
    RegistryStore rebooted(hive_);
    EXPECT_EQ(Theme(rebooted), "two");
}

TEST_F(HiveRecoveryTest, ASaveWithoutRoomKeepsBothHivesAndReportsOnce)
{
    RegistryStore store(hive_);
    ASSERT_EQ(SetTheme(store, u"one"), ERROR_SUCCESS);
    ASSERT_EQ(SetTheme(store, u"two"), ERROR_SUCCESS);
    std::string hive = Read(hive_);
    std::string lastGood = Read(LastGoodPathOf(hive_));

    bool room = false;
    uint64_t asked = 0;
    std::vector<LONG> failures;
    store.SetRoomCheck([&](uint64_t bytes) {
        asked = bytes;
        return room;
    });
    store.SetSaveFailureSink([&](LONG error) { failures.push_back(error); });
    EXPECT_EQ(SetTheme(store, u"three"), ERROR_SUCCESS);
    EXPECT_EQ(SetTheme(store, u"four"), ERROR_SUCCESS);
    EXPECT_FALSE(store.LastSaveSucceeded());
    EXPECT_EQ(failures, std::vector<LONG>{ERROR_DISK_FULL});
    EXPECT_EQ(asked, hive.size() - 3 + 4);  // "two" became "four"
    EXPECT_EQ(Read(hive_), hive);
    EXPECT_EQ(Read(LastGoodPathOf(hive_)), lastGood);
    EXPECT_FALSE(fs::exists(hive_ + ".tmp"));
    EXPECT_EQ(Theme(store), "four");

    room = true;
    ASSERT_EQ(SetTheme(store, u"five"), ERROR_SUCCESS);
    EXPECT_TRUE(store.LastSaveSucceeded());
    EXPECT_EQ(Read(LastGoodPathOf(hive_)), hive);
    RegistryStore rebooted(hive_);
    EXPECT_EQ(Theme(rebooted), "five");
}

}  // namespace
}  // namespace sim
