#include "server/device.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ce/errors.h"
#include "ce/registry.h"
#include "server/store_space.h"

namespace fs = std::filesystem;

namespace {

class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "qmdevice-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    // The battery value, or none when the key or value is missing.
    static std::optional<DWORD> BatteryValue(sim::Device& device, std::u16string_view name)
    {
        platform::RegistryService& registry = device.Registry();
        platform::RegKeyId key = 0;
        if (registry.OpenKey(platform::kRegRootLocalMachine, u"System\\State\\Battery", key) != ERROR_SUCCESS)
            return std::nullopt;
        DWORD type = 0;
        std::vector<BYTE> data;
        LONG result = registry.QueryValue(key, name, type, data);
        registry.CloseKey(key);
        if (result != ERROR_SUCCESS)
            return std::nullopt;
        EXPECT_EQ(type, DWORD(REG_DWORD));
        EXPECT_EQ(data.size(), 4u);
        if (data.size() != 4)
            return std::nullopt;
        return DWORD(data[0] | data[1] << 8 | data[2] << 16 | DWORD(data[3]) << 24);
    }

    static std::string ReadHost(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::string dir_;
};

TEST_F(DeviceTest, CreatesTheRootAndItsWindowsFolder)
{
    std::string root = dir_ + "/nested/root";
    sim::Device device(root, *sim::BuiltInProfile("qvga"));
    EXPECT_TRUE(device.RootUsable());
    EXPECT_TRUE(fs::is_directory(root + "/Windows"));
    EXPECT_EQ(device.RootPath(), root);
    EXPECT_EQ(sim::HivePathIn(root), root + "/Windows/registry.reg");
}

TEST_F(DeviceTest, UnusableRootKeepsTheRegistryInMemory)
{
    std::ofstream(dir_ + "/file") << "not a folder";
    std::string root = dir_ + "/file/root";
    sim::Device device(root, *sim::BuiltInProfile("qvga"));
    EXPECT_FALSE(device.RootUsable());
    EXPECT_TRUE(BatteryValue(device, u"Main").has_value());
    EXPECT_FALSE(fs::exists(root));
}

TEST_F(DeviceTest, PublishesBatteryStateOnCe5Only)
{
    sim::DeviceProfile profile = *sim::BuiltInProfile("qvga");
    profile.status.mainFlag = 8;
    profile.status.mainPercent = 55;
    {
        sim::Device device(dir_, profile);
        EXPECT_EQ(BatteryValue(device, u"Main"), sim::BatteryRegistryWord(8, 55));
        EXPECT_EQ(BatteryValue(device, u"Backup"), sim::BatteryRegistryWord(1, 100));

        device.Profile().status.backupPercent = 10;
        device.PublishBatteryState();
        EXPECT_EQ(BatteryValue(device, u"Backup"), sim::BatteryRegistryWord(1, 10));
        EXPECT_TRUE(device.Log().Lines().empty());
    }
    // A CE 4 device on the same root drops the values its hive still holds.
    sim::Device ce4(dir_, *sim::BuiltInProfile("ce4"));
    EXPECT_FALSE(BatteryValue(ce4, u"Main").has_value());
    EXPECT_FALSE(BatteryValue(ce4, u"Backup").has_value());
}

TEST_F(DeviceTest, LoggedEventsCarryTheDeviceTime)
{
    sim::Device device(dir_, *sim::BuiltInProfile("qvga"));
    device.LogEvent("quit pid=4 code=0");
    ASSERT_EQ(device.Log().Lines().size(), 1u);
    EXPECT_EQ(device.Log().Lines()[0], "0 quit pid=4 code=0");
}

TEST_F(DeviceTest, AStoreCapacityGivesFiguresThatFollowTheFiles)
{
    sim::DeviceProfile profile = *sim::BuiltInProfile("qvga");
    sim::Device fixed(dir_, profile);
    platform::DeviceStatus status = fixed.Status();
    EXPECT_FALSE(status.storeLimited);
    EXPECT_EQ(status.storeFree, profile.status.storeFree);
    EXPECT_TRUE(fixed.StoreHasRoom(uint64_t(1) << 40));

    profile.storeCapacity = 64 * 1024;
    sim::Device device(dir_, profile);
    uint64_t used = sim::StoreBytesUsed(dir_);
    ASSERT_GT(used, 0u);  // the hive with the battery values
    status = device.Status();
    EXPECT_TRUE(status.storeLimited);
    EXPECT_EQ(status.storeSize, 64u * 1024);
    EXPECT_EQ(status.storeFree, 64 * 1024 - used);
    EXPECT_EQ(status.appDataTotal, 64u * 1024);
    EXPECT_EQ(status.appDataFree, 64 * 1024 - used);

    std::ofstream(dir_ + "/My file.txt") << std::string(1000, 'x');
    EXPECT_EQ(device.Status().storeFree, 64 * 1024 - used - 1000);
    EXPECT_TRUE(device.StoreHasRoom(64 * 1024 - used - 1000));
    EXPECT_FALSE(device.StoreHasRoom(64 * 1024 - used - 999));
}

TEST_F(DeviceTest, AFullStoreKeepsThePreviousHive)
{
    sim::DeviceProfile profile = *sim::BuiltInProfile("qvga");
    std::string hive = sim::HivePathIn(dir_);
    std::string before;
    {
        sim::Device device(dir_, profile);
        before = ReadHost(hive);
    }
    ASSERT_NE(before.find("\"Main\""), std::string::npos);

    // Exactly full: the battery values cannot be saved anew.
    profile.storeCapacity = static_cast<DWORD>(sim::StoreBytesUsed(dir_));
    profile.status.mainPercent = 12;
    sim::Device full(dir_, profile);
    EXPECT_EQ(full.Status().storeFree, 0u);
    EXPECT_EQ(BatteryValue(full, u"Main"), sim::BatteryRegistryWord(1, 12));
    EXPECT_FALSE(full.Store().LastSaveSucceeded());
    EXPECT_EQ(ReadHost(hive), before);
    EXPECT_EQ(full.Log().Lines(), std::vector<std::string>{"0 hive-save-failed error=112"});
}

TEST_F(DeviceTest, ADamagedHiveIsReportedAtBoot)
{
    std::string hive = sim::HivePathIn(dir_);
    {
        sim::Device first(dir_, *sim::BuiltInProfile("qvga"));
        // A second save, so that the first is kept as the last good copy.
        first.Profile().status.mainPercent = 40;
        first.PublishBatteryState();
    }
    std::string saved = ReadHost(hive);
    std::ofstream(hive, std::ios::binary | std::ios::trunc) << saved.substr(0, saved.size() / 2);

    sim::Device device(dir_, *sim::BuiltInProfile("qvga"));
    ASSERT_FALSE(device.Log().Lines().empty());
    EXPECT_EQ(device.Log().Lines()[0],
              "0 hive-damaged file=\"\\\\Windows\\\\registry.reg\" reason=truncated bad-lines=1 "
              "loaded=last-good kept=\"\\\\Windows\\\\registry.reg.bad\"");
    ASSERT_TRUE(device.Store().Damage().has_value());
    EXPECT_EQ(sim::HiveDamageMessage(*device.Store().Damage()),
              "the registry hive \\Windows\\registry.reg is damaged (truncated); the device boots with its last "
              "good copy; the damaged file is kept as \\Windows\\registry.reg.bad");

    sim::HiveDamage uncopied{"bad-lines", 2, true, false};
    EXPECT_EQ(sim::HiveDamageEvent(uncopied), "hive-damaged file=\"\\\\Windows\\\\registry.reg\" reason=bad-lines "
                                              "bad-lines=2 loaded=last-good kept=none");
    EXPECT_EQ(sim::HiveDamageMessage(uncopied),
              "the registry hive \\Windows\\registry.reg is damaged (bad-lines); the device boots with its last good "
              "copy; the damaged file cannot be copied aside, so it is left as it is and changes are not saved");

    sim::HiveDamage unreadable{"no-header", 0, false, true};
    EXPECT_EQ(sim::HiveDamageEvent(unreadable),
              "hive-damaged file=\"\\\\Windows\\\\registry.reg\" reason=no-header bad-lines=0 "
              "loaded=readable-part kept=\"\\\\Windows\\\\registry.reg.bad\"");
    EXPECT_EQ(sim::HiveDamageMessage(unreadable),
              "the registry hive \\Windows\\registry.reg is damaged (no-header); there is no good copy, so the "
              "device boots with what could be read of it; the damaged file is kept as "
              "\\Windows\\registry.reg.bad");
}

}  // namespace
