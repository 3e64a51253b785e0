#include "device_controls.h"

#include <algorithm>

#include "ce/status.h"

namespace sim {
namespace {

constexpr int kBatteryStep = 10;

void StepBattery(Server& server, int delta)
{
    platform::DeviceStatus& status = server.GetDevice().Profile().status;
    // An unknown level starts from a full battery.
    int percent = status.mainPercent > 100 ? 100 : status.mainPercent;
    status.mainPercent = static_cast<BYTE>(std::clamp(percent + delta, 0, 100));
    status.mainFlag = MainBatteryFlag(status.mainPercent, status.acLineStatus == AC_LINE_ONLINE);
    server.GetDevice().LogEvent("set battery=main percent=" + std::to_string(status.mainPercent));
    server.StatusChanged();
}

void ToggleAc(Server& server)
{
    platform::DeviceStatus& status = server.GetDevice().Profile().status;
    bool online = status.acLineStatus != AC_LINE_ONLINE;
    status.acLineStatus = online ? AC_LINE_ONLINE : AC_LINE_OFFLINE;
    if (status.mainPercent <= 100)
        status.mainFlag = MainBatteryFlag(status.mainPercent, online);
    server.GetDevice().LogEvent(std::string("set ac=") + (online ? "online" : "offline"));
    server.StatusChanged();
}

void ToggleCard(Server& server)
{
    platform::DeviceStatus& status = server.GetDevice().Profile().status;
    status.cardPresent = !status.cardPresent;
    server.GetDevice().LogEvent(std::string("set card=") + (status.cardPresent ? "present" : "absent"));
    server.StatusChanged();
}

void Rotate(Server& server)
{
    const DeviceProfile& profile = server.GetDevice().Profile();
    server.Rotate(profile.screenWidth > profile.screenHeight ? "portrait" : "landscape");
}

}  // namespace

BYTE MainBatteryFlag(BYTE percent, bool acOnline)
{
    BYTE flag = 0;
    if (percent > 66)
        flag = BATTERY_FLAG_HIGH;
    else if (percent < 5)
        flag = BATTERY_FLAG_CRITICAL;
    else if (percent < 33)
        flag = BATTERY_FLAG_LOW;
    if (acOnline && percent < 100)
        flag |= BATTERY_FLAG_CHARGING;
    return flag;
}

bool ApplyControl(Server& server, DeviceAction::Kind kind)
{
    // A desktop PC has no battery, storage card or rotation to change.
    if (server.GetDevice().Profile().desktop)
        return false;
    switch (kind) {
    case DeviceAction::Kind::Rotate:
        Rotate(server);
        return true;
    case DeviceAction::Kind::BatteryDown:
        StepBattery(server, -kBatteryStep);
        return true;
    case DeviceAction::Kind::BatteryUp:
        StepBattery(server, kBatteryStep);
        return true;
    case DeviceAction::Kind::ToggleAc:
        ToggleAc(server);
        return true;
    case DeviceAction::Kind::ToggleCard:
        ToggleCard(server);
        return true;
    default:
        return false;
    }
}

std::string WindowTitle(const DeviceProfile& profile)
{
    const platform::DeviceStatus& status = profile.status;
    std::string title = "devsim \u2014 " + profile.name + " " + std::to_string(profile.screenWidth) + "x" +
                        std::to_string(profile.screenHeight) + " " + std::to_string(profile.dpi) + " dpi";
    if (profile.desktop)
        return title;
    title += " \u2014 battery ";
    title += status.mainPercent > 100 ? "unknown" : std::to_string(status.mainPercent) + "%";
    if (status.acLineStatus == AC_LINE_ONLINE)
        title += " \u2014 AC power";
    if (status.cardPresent)
        title += " \u2014 storage card";
    return title;
}

}  // namespace sim
