// The Today item's library loaded from a device root as the shell loads
// it, under a host window of the test's that answers the item's messages.
#pragma once

#include <string>

#include <todaycmn.h>
#include <windows.h>

#include "device_fixture.h"

namespace todaytest {

// The host's colours and the background it paints into the item's frame.
constexpr COLORREF kTextColour = RGB(0, 0, 0);
constexpr COLORREF kHighlightedTextColour = RGB(255, 255, 255);
constexpr COLORREF kHighlightColour = RGB(0, 0, 160);
constexpr COLORREF kWatermarkColour = RGB(240, 224, 192);

class TodayHostTest : public testsupport::DeviceFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Restarts the device with another profile, the library in its root.
    void UseDevice(const std::string& profile);
    // Loads the library; quibmonitor's folder is written as "InstPath"
    // first unless told otherwise.
    void Load();
    // Ordinal 240 with a record of the given enabled flag; the item window
    // is placed at the top of the host with the height it reports.
    HWND Initialize(BOOL enabled = TRUE);
    // Asks the item for its height and gives it that height, as the host
    // does when the answer is TRUE.
    void Relayout(TODAYLISTITEM* record);
    // Dispatches every queued message.
    void Pump();

    // WM_TODAYCUSTOM_QUERYREFRESHCACHE with the record; its answer.
    LRESULT QueryRefresh(TODAYLISTITEM* record);
    // The kept pictures load on the item's 5-second timer.
    void LoadPictures();
    // "HomeMode"; -1 when it was never written.
    int StoredMode() const;

    // Written as "InstPath" by Load when not NULL.
    const WCHAR* installPath_ = u"\\Program Files\\Quib Monitor\\";
    HMODULE module_ = nullptr;
    HWND host_ = nullptr;
    HWND item_ = nullptr;
    PFNCUSTOMINITIALIZEITEM initialize_ = nullptr;
};

// Messages the host window saw.
int WatermarkRequests();
int SelectionNotices();

}  // namespace todaytest
