// Drawing kernels on the emulated screen: full-screen copies, stretches and
// fills at 240x320 and 480x640, and a line of text. A memcpy of the
// full-screen copy's bytes runs beside it for scale. Times per pixel show as
// sec_per_pixel (e.g. "1.5ns").
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "server/device.h"
#include "server_connection.h"
#include "windows.h"

namespace {

// One in-process device at a time, of the profile the running case needs,
// on a temporary root folder.
std::string g_profile;
std::string g_root;

void UseProfile(const std::string& name)
{
    if (g_profile == name)
        return;
    if (g_root.empty()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "qmbench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::perror("gdi_bench: mkdtemp");
            std::exit(2);
        }
        g_root = pattern;
    }
    std::optional<sim::DeviceProfile> profile = sim::BuiltInProfile(name);
    if (!profile) {
        std::fprintf(stderr, "gdi_bench: no profile %s\n", name.c_str());
        std::exit(2);
    }
    platform::ConnectInProcess(std::make_unique<sim::Device>(g_root, *profile));
    g_profile = name;
}

// qvga for a 240-pixel-wide screen, vga (192 dpi) for a 480-pixel one.
void UseScreenWidth(int64_t width) { UseProfile(width == 240 ? "qvga" : "vga"); }

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

void CountPixels(benchmark::State& state, int64_t pixels)
{
    state.counters["sec_per_pixel"] = benchmark::Counter(
        static_cast<double>(pixels), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetBytesProcessed(state.iterations() * pixels * 3);
}

// A memory DC holding a bottom-up 24-bit DIB section with a gradient.
class DibDc {
public:
    DibDc(int width, int height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        size_t bytes = static_cast<size_t>((width * 3 + 3) & ~3) * height;
        for (size_t i = 0; i < bytes; ++i)
            static_cast<uint8_t*>(bits)[i] = static_cast<uint8_t>(i * 7);
        dc_ = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~DibDc()
    {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    HDC Dc() const { return dc_; }

private:
    HBITMAP bitmap_;
    HDC dc_;
    HGDIOBJ old_;
};

void BM_BitBltFullScreen(benchmark::State& state)
{
    UseScreenWidth(state.range(0));
    int width = ScreenWidth(), height = ScreenHeight();
    DibDc picture(width, height);
    HDC screen = GetDC(nullptr);
    for (auto _ : state)
        BitBlt(screen, 0, 0, width, height, picture.Dc(), 0, 0, SRCCOPY);
    ReleaseDC(nullptr, screen);
    CountPixels(state, int64_t{width} * height);
}
BENCHMARK(BM_BitBltFullScreen)->Arg(240)->Arg(480);

// The bytes the full-screen copy moves, by memcpy.
void BM_MemcpyFullScreen(benchmark::State& state)
{
    int width = static_cast<int>(state.range(0)), height = width * 4 / 3;
    size_t bytes = static_cast<size_t>((width * 3 + 3) & ~3) * height;
    std::vector<uint8_t> from(bytes, 0x5A), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    CountPixels(state, int64_t{width} * height);
}
BENCHMARK(BM_MemcpyFullScreen)->Arg(240)->Arg(480);

// A picture of the given width (and 4:3 height) stretched over the screen.
void BM_StretchBltFullScreen(benchmark::State& state)
{
    UseScreenWidth(state.range(0));
    int width = ScreenWidth(), height = ScreenHeight();
    int pictureWidth = static_cast<int>(state.range(1)), pictureHeight = pictureWidth * 4 / 3;
    DibDc picture(pictureWidth, pictureHeight);
    HDC screen = GetDC(nullptr);
    for (auto _ : state)
        StretchBlt(screen, 0, 0, width, height, picture.Dc(), 0, 0, pictureWidth, pictureHeight, SRCCOPY);
    ReleaseDC(nullptr, screen);
    CountPixels(state, int64_t{width} * height);
}
BENCHMARK(BM_StretchBltFullScreen)->ArgNames({"screen", "picture"})->Args({240, 480})->Args({480, 240});

void BM_FillRectFullScreen(benchmark::State& state)
{
    UseScreenWidth(state.range(0));
    RECT all = {0, 0, ScreenWidth(), ScreenHeight()};
    HBRUSH brush = CreateSolidBrush(RGB(12, 200, 99));
    HDC screen = GetDC(nullptr);
    for (auto _ : state)
        FillRect(screen, &all, brush);
    ReleaseDC(nullptr, screen);
    DeleteObject(brush);
    CountPixels(state, int64_t{all.right} * all.bottom);
}
BENCHMARK(BM_FillRectFullScreen)->Arg(240)->Arg(480);

// Forty characters of Tahoma at 8 points, the line's box counted as its
// pixels.
void BM_DrawTextLine(benchmark::State& state)
{
    UseScreenWidth(state.range(0));
    HDC screen = GetDC(nullptr);
    LOGFONTW logFont = {};
    logFont.lfHeight = -(8 * GetDeviceCaps(screen, LOGPIXELSY) + 36) / 72;
    logFont.lfWeight = FW_NORMAL;
    std::memcpy(logFont.lfFaceName, u"Tahoma", sizeof(u"Tahoma"));
    HFONT font = CreateFontIndirectW(&logFont);
    HGDIOBJ old = SelectObject(screen, font);
    const WCHAR line[] = u"Battery 87%, memory 12.3 MB of 64.00 MB.";
    const int length = static_cast<int>(std::size(line)) - 1;
    static_assert(std::size(line) - 1 == 40);
    RECT box = {0, 0, ScreenWidth(), ScreenHeight()};
    DrawTextW(screen, line, length, &box, DT_SINGLELINE | DT_CALCRECT);
    for (auto _ : state) {
        RECT r = box;
        DrawTextW(screen, line, length, &r, DT_SINGLELINE);
    }
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    state.counters["box"] = static_cast<double>((box.right - box.left) * (box.bottom - box.top));
    state.counters["chars_per_sec"] = benchmark::Counter(length, benchmark::Counter::kIsIterationInvariantRate);
    CountPixels(state, int64_t{box.right - box.left} * (box.bottom - box.top));
}
BENCHMARK(BM_DrawTextLine)->Arg(240)->Arg(480);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    platform::Disconnect();
    std::error_code ignored;
    if (!g_root.empty())
        std::filesystem::remove_all(g_root, ignored);
    return 0;
}
