// The compositing kernels at a meter's size (113×18) and at full QVGA and
// VGA screens, on a skin-like picture (runs of transparent, opaque and
// soft-edged pixels) and on unpredictable mixes; pixman's OVER of the same
// pictures as the yardstick; reading a VGA popup skin; decoding a theme
// background through the image decompression library. Times per pixel
// show as sec_per_pixel.
#include <benchmark/benchmark.h>
#include <pixman.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "graphics/alpha_image.h"
#include "graphics/dib24.h"
#include "graphics/image_table.h"
#include "graphics/jpeg_loader.h"
#include "graphics/pixel_kernels.h"
#include "graphics/tga_reader.h"
#include "server/device.h"
#include "server_connection.h"

namespace {

// One in-process device on a root filled from the device image, for the
// file cases.
void ConnectDevice()
{
    static bool connected = false;
    if (connected)
        return;
    std::string pattern = (std::filesystem::temp_directory_path() / "qmbench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("compositing_bench: mkdtemp");
        std::exit(2);
    }
    std::filesystem::copy(QM_DEVICE_IMAGE, pattern, std::filesystem::copy_options::recursive);
    platform::ConnectInProcess(std::make_unique<sim::Device>(pattern, *sim::BuiltInProfile("vga")));
    connected = true;
}

void CountPixels(benchmark::State& state, int64_t pixels)
{
    state.counters["sec_per_pixel"] = benchmark::Counter(
        static_cast<double>(pixels), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

enum Mix { kSkin, kRandom };

// Alpha of a rounded bar with soft edges: transparent outside, opaque
// inside, a few pixels of ramp between.
BYTE SkinAlpha(int x, int y, int width, int height)
{
    double inset = 3.0;
    double dx = std::max({inset - x, x - (width - 1 - inset), 0.0});
    double dy = std::max({inset - y, y - (height - 1 - inset), 0.0});
    double outside = std::sqrt(dx * dx + dy * dy) - inset + 1.5;
    double coverage = std::clamp(1.0 - outside / 3.0, 0.0, 1.0);
    return static_cast<BYTE>(std::lround(coverage * 255));
}

struct Picture {
    int width;
    int height;
    std::vector<BYTE> rgba;  // R,G,B,A rows
};

Picture MakePicture(int width, int height, Mix mix)
{
    std::mt19937 engine(3);
    Picture picture{width, height, std::vector<BYTE>(4 * (size_t)width * height)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            BYTE* p = &picture.rgba[4 * ((size_t)y * width + x)];
            p[0] = static_cast<BYTE>(x * 255 / width);
            p[1] = static_cast<BYTE>(y * 255 / height);
            p[2] = 200;
            p[3] = mix == kSkin ? SkinAlpha(x, y, width, height) : static_cast<BYTE>(engine());
        }
    return picture;
}

// A bitmap description over our own memory, as the kernels see a DIB.
struct Dib {
    Dib(int width, int height, unsigned seed) : bytes((size_t)((width * 3 + 3) & ~3) * height)
    {
        std::mt19937 engine(seed);
        for (BYTE& b : bytes)
            b = static_cast<BYTE>(engine());
        description = {0, width, height, (width * 3 + 3) & ~3, 1, 24, bytes.data()};
    }
    std::vector<BYTE> bytes;
    BITMAP description;
};

void SizeArgs(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"width", "height", "mix"});
    for (int mix : {kSkin, kRandom}) {
        b->Args({113, 18, mix});
        b->Args({240, 320, mix});
        b->Args({480, 640, mix});
    }
}

void BM_AlphaComposite(benchmark::State& state)
{
    int width = (int)state.range(0), height = (int)state.range(1);
    Picture picture = MakePicture(width, height, (Mix)state.range(2));
    AlphaImage image = {0, 0, (DWORD)width, (DWORD)height, 4, picture.rgba.data(), NULL, 0};
    // As the TGA reader does when it has read a picture.
    ClassifyAlphaRuns(&image);
    HBITMAP target = CreateDib24(NULL, width, height);
    for (auto _ : state) {
        AlphaComposite(&image, target);
        benchmark::ClobberMemory();
    }
    DeleteDib24(target);
    delete[] image.runs;
    CountPixels(state, (int64_t)width * height);
}
BENCHMARK(BM_AlphaComposite)->Apply(SizeArgs);

// The same composite by pixman: premultiplied a8r8g8b8 OVER x8r8g8b8.
void BM_PixmanOver(benchmark::State& state)
{
    int width = (int)state.range(0), height = (int)state.range(1);
    Picture picture = MakePicture(width, height, (Mix)state.range(2));
    std::vector<uint32_t> source((size_t)width * height), target((size_t)width * height, 0xFF336699);
    for (size_t i = 0; i < source.size(); ++i) {
        const BYTE* p = &picture.rgba[4 * i];
        uint32_t a = p[3];
        source[i] = a << 24 | (p[0] * a / 255) << 16 | (p[1] * a / 255) << 8 | (p[2] * a / 255);
    }
    pixman_image_t* from = pixman_image_create_bits(PIXMAN_a8r8g8b8, width, height, source.data(), width * 4);
    pixman_image_t* to = pixman_image_create_bits(PIXMAN_x8r8g8b8, width, height, target.data(), width * 4);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_OVER, from, NULL, to, 0, 0, 0, 0, 0, 0, width, height);
        benchmark::ClobberMemory();
    }
    pixman_image_unref(from);
    pixman_image_unref(to);
    CountPixels(state, (int64_t)width * height);
}
BENCHMARK(BM_PixmanOver)->Apply(SizeArgs);

// Keys: on the skin mix, runs of white around an opaque middle with a
// blended rim; on the random mix, white, black and other pixels at random.
Dib KeyedSource(int width, int height, Mix mix)
{
    Dib source(width, height, 5);
    std::mt19937 engine(9);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            BYTE* p = source.bytes.data() + (size_t)y * source.description.bmWidthBytes + 3 * x;
            unsigned kind = mix == kRandom ? engine() % 3 : SkinAlpha(x, y, width, height) == 0 ? 0 : 2;
            if (kind < 2)
                p[0] = p[1] = p[2] = kind == 0 ? 255 : 0;
        }
    return source;
}

void BM_KeyedBlend(benchmark::State& state)
{
    int width = (int)state.range(0), height = (int)state.range(1);
    Dib source = KeyedSource(width, height, (Mix)state.range(2));
    Dib scene(width, height, 6);
    for (auto _ : state) {
        KeyedBlend(&source.description, &scene.description, &scene.description, 160);
        benchmark::ClobberMemory();
    }
    CountPixels(state, (int64_t)width * height);
}
BENCHMARK(BM_KeyedBlend)->Apply(SizeArgs);

// A sheet twice the picture's width: the picture, then its mask (red 255
// where the skin is transparent).
void BM_MaskedSheet(benchmark::State& state)
{
    int width = (int)state.range(0), height = (int)state.range(1);
    Mix mix = (Mix)state.range(2);
    Dib sheet(2 * width, height, 7);
    std::mt19937 engine(10);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            BYTE* mask = sheet.bytes.data() + (size_t)y * sheet.description.bmWidthBytes + 3 * (width + x);
            mask[2] = mix == kRandom ? static_cast<BYTE>(engine()) : 255 - SkinAlpha(x, y, width, height);
        }
    Dib scene(width, height, 8);
    for (auto _ : state) {
        MaskedSheet(&sheet.description, &scene.description, &scene.description, 255, 0, 0, width, height);
        benchmark::ClobberMemory();
    }
    CountPixels(state, (int64_t)width * height);
}
BENCHMARK(BM_MaskedSheet)->Apply(SizeArgs);

// The landscape VGA popup skin of the default theme, run-length encoded.
void BM_ReadTgaVgaSkin(benchmark::State& state)
{
    ConnectDevice();
    const WCHAR* path = TEXT("\\Program Files\\Quib Monitor\\themes\\bluewave\\bluewave_land_vga.tga");
    AlphaImage* image = NULL;
    if (ReadTga(path, &image) != kTgaRead) {
        state.SkipWithError("no skin in the device image");
        return;
    }
    int64_t pixels = (int64_t)image->width * image->height;
    state.SetLabel(std::to_string(image->width) + "x" + std::to_string(image->height));
    FreeAlphaImage(image);
    for (auto _ : state) {
        ReadTga(path, &image);
        FreeAlphaImage(image);
    }
    CountPixels(state, pixels);
}
BENCHMARK(BM_ReadTgaVgaSkin)->Unit(benchmark::kMicrosecond);

void BM_DecodeThemeBackground(benchmark::State& state)
{
    ConnectDevice();
    const WCHAR* directory = TEXT("\\Program Files\\Quib Monitor\\");
    const WCHAR* name = TEXT("themes\\bluewave\\bluewave.jpg");
    HBITMAP bitmap = NULL;
    LoadJpegBitmap(directory, name, &bitmap, 100);
    BITMAP description = {};
    if (bitmap == NULL || GetObject(bitmap, sizeof(description), &description) == 0) {
        state.SkipWithError("the background did not decode");
        return;
    }
    state.SetLabel(std::to_string(description.bmWidth) + "x" + std::to_string(description.bmHeight));
    DeleteDib24(bitmap);
    for (auto _ : state) {
        bitmap = NULL;
        LoadJpegBitmap(directory, name, &bitmap, 100);
        DeleteDib24(bitmap);
    }
    CountPixels(state, (int64_t)description.bmWidth * description.bmHeight);
}
BENCHMARK(BM_DecodeThemeBackground)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
