#include "server/device.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

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

}  // namespace
