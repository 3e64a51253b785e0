#include "wire_records.h"

namespace sim {

void WriteStatus(WireWriter& out, const platform::DeviceStatus& s)
{
    out.U32(s.osMajor).U32(s.osMinor).U32(s.osBuild).U16(s.decimalSeparator).U16(s.thousandsSeparator);
    out.U8(s.acLineStatus).U8(s.mainFlag).U8(s.mainPercent).U8(s.backupFlag).U8(s.backupPercent);
    out.U32(s.memoryTotal).U32(s.memoryAvailable).U32(s.storeSize).U32(s.storeFree).U8(s.storeLimited ? 1 : 0);
    out.U64(s.appDataTotal).U64(s.appDataFree).U8(s.cardPresent ? 1 : 0).U64(s.cardTotal).U64(s.cardFree);
}

platform::DeviceStatus ReadStatus(WireReader& in)
{
    platform::DeviceStatus s;
    s.osMajor = in.U32();
    s.osMinor = in.U32();
    s.osBuild = in.U32();
    s.decimalSeparator = in.U16();
    s.thousandsSeparator = in.U16();
    s.acLineStatus = in.U8();
    s.mainFlag = in.U8();
    s.mainPercent = in.U8();
    s.backupFlag = in.U8();
    s.backupPercent = in.U8();
    s.memoryTotal = in.U32();
    s.memoryAvailable = in.U32();
    s.storeSize = in.U32();
    s.storeFree = in.U32();
    s.storeLimited = in.U8() != 0;
    s.appDataTotal = in.U64();
    s.appDataFree = in.U64();
    s.cardPresent = in.U8() != 0;
    s.cardTotal = in.U64();
    s.cardFree = in.U64();
    return s;
}

void WriteScreen(WireWriter& out, const ScreenInfo& screen)
{
    out.I32(screen.width).I32(screen.height).I32(screen.dpi);
    out.I32(screen.workLeft).I32(screen.workTop).I32(screen.workRight).I32(screen.workBottom);
    out.U8(screen.desktop ? 1 : 0);
}

ScreenInfo ReadScreen(WireReader& in)
{
    ScreenInfo screen;
    screen.width = in.I32();
    screen.height = in.I32();
    screen.dpi = in.I32();
    screen.workLeft = in.I32();
    screen.workTop = in.I32();
    screen.workRight = in.I32();
    screen.workBottom = in.I32();
    screen.desktop = in.U8() != 0;
    return screen;
}

}  // namespace sim
