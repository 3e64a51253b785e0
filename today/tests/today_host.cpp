#include "today_host.h"

#include <filesystem>

#include "settings/settings_store.h"

namespace fs = std::filesystem;

namespace todaytest {
namespace {

const WCHAR kHostClass[] = u"TestTodayHost";
int g_watermarks = 0;
int g_selections = 0;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case TODAYM_GETCOLOR:
        if (wParam == TODAYCOLOR_TEXT)
            return kTextColour;
        if (wParam == TODAYCOLOR_HIGHLIGHTEDTEXT)
            return kHighlightedTextColour;
        if (wParam == TODAYCOLOR_HIGHLIGHT)
            return kHighlightColour;
        return 0;
    case TODAYM_DRAWWATERMARK: {
        ++g_watermarks;
        const TODAYDRAWWATERMARKINFO* info = reinterpret_cast<const TODAYDRAWWATERMARKINFO*>(lParam);
        HBRUSH brush = CreateSolidBrush(kWatermarkColour);
        FillRect(info->hdc, &info->rc, brush);
        DeleteObject(brush);
        return 0;
    }
    case TODAYM_TOOKSELECTION:
        ++g_selections;
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WatermarkRequests() { return g_watermarks; }
int SelectionNotices() { return g_selections; }

void TodayHostTest::SetUp()
{
    DeviceFixture::SetUp();
    g_watermarks = 0;
    g_selections = 0;
    UseDevice("qvga");
}

void TodayHostTest::TearDown()
{
    if (host_)
        DestroyWindow(host_);
    if (module_)
        FreeLibrary(module_);
    UnregisterClassW(kHostClass, nullptr);
    DeviceFixture::TearDown();
}

void TodayHostTest::UseDevice(const std::string& profile)
{
    UseProfile(profile);
    fs::path library = HostPath("Windows/QuibMonitorToday.dll");
    fs::create_directories(library.parent_path());
    fs::copy_file(TODAY_MODULE, library, fs::copy_options::overwrite_existing);
    fs::path graphics = HostPath("Program Files/Quib Monitor/graphics");
    if (!fs::exists(graphics)) {
        fs::create_directories(graphics.parent_path());
        fs::create_directory_symlink(fs::path(QM_DEVICE_IMAGE) / "Program Files/Quib Monitor/graphics", graphics);
    }
}

void TodayHostTest::Load()
{
    if (installPath_)
        WriteRegString(SETTINGS_SUBKEY, u"InstPath", installPath_);
    module_ = LoadLibraryW(u"\\Windows\\QuibMonitorToday.dll");
    ASSERT_NE(module_, nullptr);
    initialize_ = reinterpret_cast<PFNCUSTOMINITIALIZEITEM>(GetProcAddress(module_, MAKEINTRESOURCEW(240)));
    ASSERT_NE(initialize_, nullptr);

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = HostProc;
    windowClass.lpszClassName = kHostClass;
    RegisterClassW(&windowClass);
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    host_ = CreateWindowExW(0, kHostClass, u"Desktop", WS_VISIBLE, 0, 0, work.right, work.bottom, nullptr, nullptr,
                            nullptr, nullptr);
    ASSERT_NE(host_, nullptr);
}

HWND TodayHostTest::Initialize(BOOL enabled)
{
    TODAYLISTITEM record = {};
    record.fEnabled = enabled;
    record.hinstDLL = module_;
    record.tlit = tlitCustom;
    item_ = initialize_(&record, host_);
    if (item_ != nullptr)
        Relayout(&record);
    return item_;
}

void TodayHostTest::Relayout(TODAYLISTITEM* record)
{
    if (QueryRefresh(record) == 0)
        return;
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    MoveWindow(item_, 0, 0, work.right, static_cast<int>(record->cyp), TRUE);
}

void TodayHostTest::Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

LRESULT TodayHostTest::QueryRefresh(TODAYLISTITEM* record)
{
    return SendMessageW(item_, WM_TODAYCUSTOM_QUERYREFRESHCACHE, 0, reinterpret_cast<LPARAM>(record));
}

void TodayHostTest::LoadPictures()
{
    SendMessageW(item_, WM_TIMER, 51, 0);
}

int TodayHostTest::StoredMode() const
{
    return ReadRegInt(u"HomeMode", u"-1", SETTINGS_SUBKEY);
}

}  // namespace todaytest
