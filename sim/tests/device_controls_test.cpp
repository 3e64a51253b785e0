// The interactive window's controls of the device: rotation, battery, AC
// power and storage card, published as scripts publish them.
#include "devsim/device_controls.h"

#include <gtest/gtest.h>

#include <vector>

#include "ce/errors.h"
#include "ce/registry.h"
#include "ce/status.h"
#include "harness_server.h"

namespace {

using Kind = sim::DeviceAction::Kind;

class DeviceControlsTest : public testsupport::HarnessServerFixture {
protected:
    platform::DeviceStatus& Status() { return device_->Profile().status; }
    int Percent() { return Status().mainPercent; }
    const std::string& LastLogLine() const { return device_->Log().Lines().back(); }
    // The main battery's word in the registry, which the programs read.
    DWORD MainBatteryWord()
    {
        platform::RegistryService& registry = device_->Registry();
        platform::RegKeyId key = 0;
        EXPECT_EQ(registry.OpenKey(platform::kRegRootLocalMachine, u"System\\State\\Battery", key), ERROR_SUCCESS);
        DWORD type = 0;
        std::vector<BYTE> data;
        EXPECT_EQ(registry.QueryValue(key, u"Main", type, data), ERROR_SUCCESS);
        registry.CloseKey(key);
        if (data.size() != 4)
            return 0;
        return DWORD(data[0] | data[1] << 8 | data[2] << 16 | DWORD(data[3]) << 24);
    }
};

TEST_F(DeviceControlsTest, RotationTurnsBetweenPortraitAndLandscape)
{
    ASSERT_TRUE(sim::ApplyControl(*server_, Kind::Rotate));
    EXPECT_EQ(device_->Profile().screenWidth, 320);
    EXPECT_EQ(device_->Profile().screenHeight, 240);
    ASSERT_NE(device_->Screen(), nullptr);
    EXPECT_EQ(device_->Screen()->Width(), 320);
    EXPECT_NE(LastLogLine().find("rotate form=landscape"), std::string::npos) << LastLogLine();

    sim::ApplyControl(*server_, Kind::Rotate);
    EXPECT_EQ(device_->Profile().screenWidth, 240);
    EXPECT_EQ(device_->Screen()->Height(), 320);
    EXPECT_NE(LastLogLine().find("rotate form=portrait"), std::string::npos) << LastLogLine();
}

TEST_F(DeviceControlsTest, BatteryStepsStayWithinTheScaleAndReachTheRegistry)
{
    Status().mainPercent = 95;
    sim::ApplyControl(*server_, Kind::BatteryUp);
    EXPECT_EQ(Percent(), 100);
    sim::ApplyControl(*server_, Kind::BatteryUp);
    EXPECT_EQ(Percent(), 100);

    sim::ApplyControl(*server_, Kind::BatteryDown);
    EXPECT_EQ(Percent(), 90);
    EXPECT_EQ(int(Status().mainFlag), BATTERY_FLAG_HIGH);
    EXPECT_NE(LastLogLine().find("set battery=main percent=90"), std::string::npos) << LastLogLine();
    EXPECT_EQ(MainBatteryWord(), sim::BatteryRegistryWord(BATTERY_FLAG_HIGH, 90));

    for (int i = 0; i < 12; ++i)
        sim::ApplyControl(*server_, Kind::BatteryDown);
    EXPECT_EQ(Percent(), 0);
    EXPECT_EQ(int(Status().mainFlag), BATTERY_FLAG_CRITICAL);
    EXPECT_EQ(MainBatteryWord(), sim::BatteryRegistryWord(BATTERY_FLAG_CRITICAL, 0));

    // An unknown level counts from full.
    Status().mainPercent = BATTERY_PERCENTAGE_UNKNOWN;
    sim::ApplyControl(*server_, Kind::BatteryDown);
    EXPECT_EQ(Percent(), 90);
}

TEST_F(DeviceControlsTest, AcPowerAndTheCardToggle)
{
    Status().mainPercent = 50;
    sim::ApplyControl(*server_, Kind::ToggleAc);
    EXPECT_EQ(int(Status().acLineStatus), AC_LINE_ONLINE);
    EXPECT_EQ(int(Status().mainFlag), BATTERY_FLAG_CHARGING);
    EXPECT_NE(LastLogLine().find("set ac=online"), std::string::npos) << LastLogLine();
    EXPECT_EQ(MainBatteryWord(), sim::BatteryRegistryWord(BATTERY_FLAG_CHARGING, 50));
    sim::ApplyControl(*server_, Kind::ToggleAc);
    EXPECT_EQ(int(Status().acLineStatus), AC_LINE_OFFLINE);
    EXPECT_EQ(int(Status().mainFlag), 0);

    bool card = Status().cardPresent;
    sim::ApplyControl(*server_, Kind::ToggleCard);
    EXPECT_EQ(Status().cardPresent, !card);
    EXPECT_NE(LastLogLine().find(card ? "set card=absent" : "set card=present"), std::string::npos) << LastLogLine();
    sim::ApplyControl(*server_, Kind::ToggleCard);
    EXPECT_EQ(Status().cardPresent, card);

    EXPECT_FALSE(sim::ApplyControl(*server_, Kind::Stylus));
    EXPECT_FALSE(sim::ApplyControl(*server_, Kind::Key));
}

TEST(DeviceControls, BatteryFlagsFollowTheLevel)
{
    EXPECT_EQ(int(sim::MainBatteryFlag(100, false)), BATTERY_FLAG_HIGH);
    EXPECT_EQ(int(sim::MainBatteryFlag(67, false)), BATTERY_FLAG_HIGH);
    EXPECT_EQ(int(sim::MainBatteryFlag(66, false)), 0);
    EXPECT_EQ(int(sim::MainBatteryFlag(33, false)), 0);
    EXPECT_EQ(int(sim::MainBatteryFlag(32, false)), BATTERY_FLAG_LOW);
    EXPECT_EQ(int(sim::MainBatteryFlag(5, false)), BATTERY_FLAG_LOW);
    EXPECT_EQ(int(sim::MainBatteryFlag(4, false)), BATTERY_FLAG_CRITICAL);
    EXPECT_EQ(int(sim::MainBatteryFlag(80, true)), BATTERY_FLAG_HIGH | BATTERY_FLAG_CHARGING);
    EXPECT_EQ(int(sim::MainBatteryFlag(100, true)), BATTERY_FLAG_HIGH) << "a full battery no longer charges";
}

TEST(DeviceControls, TitleShowsTheProfileAndTheFigures)
{
    sim::DeviceProfile profile = *sim::BuiltInProfile("qvga");
    profile.status.mainPercent = 80;
    profile.status.acLineStatus = AC_LINE_OFFLINE;
    profile.status.cardPresent = false;
    EXPECT_EQ(sim::WindowTitle(profile), "devsim \u2014 qvga 240x320 96 dpi \u2014 battery 80%");
    profile.status.acLineStatus = AC_LINE_ONLINE;
    profile.status.cardPresent = true;
    profile.status.mainPercent = BATTERY_PERCENTAGE_UNKNOWN;
    EXPECT_EQ(sim::WindowTitle(profile),
              "devsim \u2014 qvga 240x320 96 dpi \u2014 battery unknown \u2014 AC power \u2014 storage card");
    sim::DeviceProfile vga = *sim::BuiltInProfile("vga");
    EXPECT_EQ(sim::WindowTitle(vga).substr(0, 30), "devsim \u2014 vga 480x640 192 dpi");
    // A desktop has no figures to show.
    EXPECT_EQ(sim::WindowTitle(*sim::BuiltInProfile("desktop")), "devsim \u2014 desktop 800x600 96 dpi");
}

}  // namespace
