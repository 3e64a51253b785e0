// The library as device programs use it: loaded from \Windows, the export
// looked up by name, the picture's bytes served by a callback in pieces.
#include <gtest/gtest.h>

#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "device_fixture.h"
#include "imgdecmp.h"
#include "test_pictures.h"
#include "windows.h"

namespace {

using testpictures::Rgb;

constexpr DWORD kSentinel = 0xdeadbeef;
constexpr DWORD kBufferSize = 20000;
// Stands in the caller's bitmap slot to show that it was left alone.
const HBITMAP kUntouched = reinterpret_cast<HBITMAP>(static_cast<uintptr_t>(0x5107));

// Serves the file's bytes, at most `piece` a call, and notes how the
// library asks for them.
struct Feed {
    const std::string* bytes;
    size_t piece;
    const BYTE* buffer;
    size_t offset = 0;
    int calls = 0;
    bool askedOutsideBuffer = false;
};

DWORD CALLBACK ServePiece(LPSTR szBuffer, DWORD dwBufferMax, LPARAM lParam)
{
    Feed* feed = reinterpret_cast<Feed*>(lParam);
    ++feed->calls;
    const BYTE* target = reinterpret_cast<const BYTE*>(szBuffer);
    if (target < feed->buffer || target + dwBufferMax > feed->buffer + kBufferSize)
        feed->askedOutsideBuffer = true;
    size_t count = std::min({size_t(dwBufferMax), feed->piece, feed->bytes->size() - feed->offset});
    std::copy_n(feed->bytes->data() + feed->offset, count, szBuffer);
    feed->offset += count;
    return static_cast<DWORD>(count);
}

struct Request {
    int scale = 100;
    int maxWidth = 999;
    int maxHeight = 4100;
    size_t piece = 7;
};

struct Result {
    HRESULT hr;
    HBITMAP bitmap;
    Feed feed;
};

class ImageDecompression : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        std::filesystem::create_directories(HostPath("Windows"));
        std::filesystem::copy_file(IMGDECMP_MODULE, HostPath("Windows/Imgdecmp.dll"));
        module_ = LoadLibraryW(TEXT("Imgdecmp.dll"));
        ASSERT_NE(module_, nullptr);
        decompress_ = (DECOMPRESSIMAGEINDIRECT)GetProcAddress(module_, TEXT("DecompressImageIndirect"));
        ASSERT_NE(decompress_, nullptr);
        info_ = {};
        info_.dwSize = sizeof(DecompressImageInfo);
        info_.pbBuffer = buffer_;
        info_.dwBufferMax = kBufferSize;
        info_.iBitDepth = 24;
        info_.hdc = CreateCompatibleDC(nullptr);
        info_.pfnGetData = ServePiece;
        info_.crTransparentOverride = (COLORREF)-1;
    }
    void TearDown() override
    {
        DeleteDC(info_.hdc);
        for (HBITMAP bitmap : made_)
            DeleteObject(bitmap);
        FreeLibrary(module_);
        DeviceFixture::TearDown();
    }

    // Decodes as the device's callers do, with the bytes in pieces; a test
    // may change the request record before the call.
    Result Decode(const std::string& bytes, const Request& request = {},
                  const std::function<void(DecompressImageInfo&)>& change = nullptr)
    {
        Result result{E_FAIL, kUntouched, Feed{&bytes, request.piece, buffer_}};
        DecompressImageInfo info = info_;
        info.phBM = &result.bitmap;
        info.lParam = reinterpret_cast<LPARAM>(&result.feed);
        info.iScale = request.scale;
        info.iMaxWidth = request.maxWidth;
        info.iMaxHeight = request.maxHeight;
        if (change)
            change(info);
        result.hr = decompress_(&info);
        if (result.bitmap != kUntouched)
            made_.push_back(result.bitmap);
        return result;
    }

    HMODULE module_ = nullptr;
    DECOMPRESSIMAGEINDIRECT decompress_ = nullptr;
    DecompressImageInfo info_;
    BYTE buffer_[kBufferSize];
    std::vector<HBITMAP> made_;
};

DIBSECTION Section(HBITMAP bitmap)
{
    DIBSECTION section = {};
    EXPECT_EQ(GetObjectW(bitmap, sizeof section, &section), int(sizeof section));
    return section;
}

// Reads the pixel at (x, y) from the top, for a bottom-up 24-bit DIB.
Rgb PixelAt(HBITMAP bitmap, int x, int y)
{
    DIBSECTION section = Section(bitmap);
    const BYTE* bits = static_cast<const BYTE*>(section.dsBm.bmBits);
    const BYTE* pixel = bits + size_t(section.dsBm.bmWidthBytes) * (section.dsBm.bmHeight - 1 - y) + x * 3;
    return {pixel[2], pixel[1], pixel[0]};
}

void ExpectSize(HBITMAP bitmap, int width, int height)
{
    DIBSECTION section = Section(bitmap);
    EXPECT_EQ(section.dsBm.bmWidth, width);
    EXPECT_EQ(section.dsBm.bmHeight, height);
    EXPECT_EQ(section.dsBmih.biHeight, height) << "bottom-up rows";
    EXPECT_EQ(section.dsBmih.biBitCount, 24);
    EXPECT_EQ(section.dsBm.bmWidthBytes, (width * 3 + 3) / 4 * 4);
}

void ExpectNear(Rgb actual, Rgb expected, int tolerance, const std::string& where)
{
    EXPECT_LE(std::abs(actual.r - expected.r), tolerance) << where;
    EXPECT_LE(std::abs(actual.g - expected.g), tolerance) << where;
    EXPECT_LE(std::abs(actual.b - expected.b), tolerance) << where;
}

constexpr Rgb kRed{220, 30, 40};
constexpr Rgb kGreen{30, 200, 60};
constexpr Rgb kBlue{20, 40, 210};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

// Four quadrants of flat colour, split at the given point.
testpictures::Painter Quadrants(int splitX, int splitY)
{
    return [=](int x, int y) {
        if (y < splitY)
            return x < splitX ? kRed : kGreen;
        return x < splitX ? kBlue : kWhite;
    };
}

void ExpectQuadrants(HBITMAP bitmap, int width, int height, int tolerance)
{
    int qx = width / 4, qy = height / 4;
    ExpectNear(PixelAt(bitmap, qx, qy), kRed, tolerance, "top left");
    ExpectNear(PixelAt(bitmap, width - 1 - qx, qy), kGreen, tolerance, "top right");
    ExpectNear(PixelAt(bitmap, qx, height - 1 - qy), kBlue, tolerance, "bottom left");
    ExpectNear(PixelAt(bitmap, width - 1 - qx, height - 1 - qy), kWhite, tolerance, "bottom right");
}

TEST_F(ImageDecompression, LibraryIsLoadedOnceAndExportsOnlyItsEntry)
{
    EXPECT_EQ(LoadLibraryW(TEXT("\\windows\\IMGDECMP.DLL")), module_);
    EXPECT_TRUE(FreeLibrary(module_));
    for (LPCWSTR name : {u"DecompressImage", u"jpeg_read_header", u"png_read_info"}) {
        SetLastError(kSentinel);
        EXPECT_EQ(GetProcAddress(module_, name), nullptr);
        EXPECT_EQ(GetLastError(), DWORD(ERROR_PROC_NOT_FOUND));
    }
    SetLastError(kSentinel);
    EXPECT_EQ(LoadLibraryW(TEXT("Imgdecmp2.dll")), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_MOD_NOT_FOUND));
}

TEST_F(ImageDecompression, JpegArrivesAsBottomUpDibInAnyPieces)
{
    // 30 pixels wide: rows of 90 bytes padded to 92.
    for (bool progressive : {false, true}) {
        std::string jpeg = testpictures::EncodeJpeg(30, 32, Quadrants(16, 16), {95, progressive});
        for (size_t piece : {size_t(1), size_t(7), size_t(kBufferSize)}) {
            SCOPED_TRACE(testing::Message() << "progressive " << progressive << ", pieces of " << piece);
            Result result = Decode(jpeg, {100, 999, 4100, piece});
            EXPECT_EQ(result.hr, S_OK);
            ASSERT_NE(result.bitmap, kUntouched);
            ExpectSize(result.bitmap, 30, 32);
            ExpectQuadrants(result.bitmap, 30, 32, 12);
        }
    }
    std::string gray = testpictures::EncodeJpeg(16, 16, [](int x, int y) { return Rgb{0, uint8_t(x < 8 ? 40 : 200), 0}; },
                                                {95, false, true});
    Result result = Decode(gray);
    ASSERT_EQ(result.hr, S_OK);
    ExpectNear(PixelAt(result.bitmap, 2, 8), Rgb{40, 40, 40}, 8, "dark grey");
    ExpectNear(PixelAt(result.bitmap, 13, 8), Rgb{200, 200, 200}, 8, "light grey");
}

// Noise compresses badly, so most of the file is the picture's data.
Rgb Noise(int x, int y)
{
    unsigned n = unsigned(x * 7919 + y * 104729) * 2654435761u;
    return Rgb{uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8)};
}

TEST_F(ImageDecompression, LargeFilesPassThroughTheCallersBufferInPieces)
{
    std::string jpeg = testpictures::EncodeJpeg(256, 256, Noise);
    ASSERT_GT(jpeg.size(), 3 * kBufferSize);
    Result result = Decode(jpeg, {100, 999, 4100, jpeg.size()});
    EXPECT_EQ(result.hr, S_OK);
    ExpectSize(result.bitmap, 256, 256);
    EXPECT_FALSE(result.feed.askedOutsideBuffer);
    EXPECT_GT(result.feed.calls, 3);
}

struct PngCase {
    const char* name;
    testpictures::PngPicture png;
    std::vector<Rgb> expected;
};

testpictures::PngPicture Png(int width, int height, int colorType, int bitDepth, std::vector<uint8_t> samples,
                             std::vector<uint8_t> palette = {}, std::vector<uint8_t> paletteAlpha = {})
{
    testpictures::PngPicture png;
    png.width = width;
    png.height = height;
    png.colorType = colorType;
    png.bitDepth = bitDepth;
    png.samples = std::move(samples);
    png.palette = std::move(palette);
    png.paletteAlpha = std::move(paletteAlpha);
    return png;
}

testpictures::PngPicture Interlaced(testpictures::PngPicture png)
{
    png.interlaced = true;
    return png;
}

// 8-bit RGB, interlaced or not; palettes with and without alpha; grey of
// 1, 8 and 16 bits; alpha channels, all shown over white.
std::vector<PngCase> PngCases()
{
    std::vector<uint8_t> rgb = {10, 20, 30, 250, 128, 0, 1, 2, 3, 0, 0, 0, 255, 255, 255, 90, 91, 92};
    std::vector<Rgb> rgbPixels = {{10, 20, 30}, {250, 128, 0}, {1, 2, 3}, {0, 0, 0}, {255, 255, 255}, {90, 91, 92}};
    return {
        {"rgb", Png(3, 2, PNG_COLOR_TYPE_RGB, 8, rgb), rgbPixels},
        {"rgb interlaced", Interlaced(Png(3, 2, PNG_COLOR_TYPE_RGB, 8, rgb)), rgbPixels},
        {"palette", Png(3, 2, PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 2, 2, 1, 0}, {200, 0, 0, 0, 100, 0, 0, 0, 50}),
         {{200, 0, 0}, {0, 100, 0}, {0, 0, 50}, {0, 0, 50}, {0, 100, 0}, {200, 0, 0}}},
        {"palette with alpha",
         Png(3, 1, PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 2}, {200, 0, 0, 0, 100, 0, 0, 0, 0}, {255, 0, 128}),
         {{200, 0, 0}, kWhite, {127, 127, 127}}},
        {"grey 1 bit", Png(3, 1, PNG_COLOR_TYPE_GRAY, 1, {0xA0}), {kWhite, kBlack, kWhite}},
        {"grey 16 bits", Png(3, 1, PNG_COLOR_TYPE_GRAY, 16, {0x12, 0x12, 0xFF, 0xFF, 0x00, 0x00}),
         {{0x12, 0x12, 0x12}, kWhite, kBlack}},
        {"grey with alpha", Png(2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {100, 255, 100, 0}), {{100, 100, 100}, kWhite}},
        {"rgba", Png(3, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {10, 20, 30, 255, 10, 20, 30, 0, 0, 0, 0, 128}),
         {{10, 20, 30}, kWhite, {127, 127, 127}}},
        {"rgba 16 bits", Png(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16, {0xC8, 0xC8, 0x64, 0x64, 0x00, 0x00, 0xFF, 0xFF}),
         {{200, 100, 0}}},
    };
}

TEST_F(ImageDecompression, EveryKindOfPngArrivesAsExactRgb)
{
    for (const PngCase& c : PngCases()) {
        SCOPED_TRACE(c.name);
        Result result = Decode(testpictures::EncodePng(c.png));
        EXPECT_EQ(result.hr, S_OK);
        ASSERT_NE(result.bitmap, kUntouched);
        ExpectSize(result.bitmap, c.png.width, c.png.height);
        for (int i = 0; i < int(c.expected.size()); ++i) {
            Rgb pixel = PixelAt(result.bitmap, i % c.png.width, i / c.png.width);
            Rgb wanted = c.expected[i];
            EXPECT_TRUE(pixel.r == wanted.r && pixel.g == wanted.g && pixel.b == wanted.b)
                << "pixel " << i << ": " << int(pixel.r) << "," << int(pixel.g) << "," << int(pixel.b);
        }
    }
}

TEST_F(ImageDecompression, ScaleAndLimitsKeepTheAspect)
{
    std::string png = testpictures::EncodeRgbPng(40, 20, Quadrants(20, 10));
    struct Case {
        Request request;
        int width, height;
    } cases[] = {
        {{50}, 20, 10},
        {{100, 10}, 10, 5},
        {{100, 999, 4}, 8, 4},
        {{200, 60}, 60, 30},
        {{25, 4, 4100}, 4, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "scale " << c.request.scale << " within " << c.request.maxWidth << "x"
                                        << c.request.maxHeight);
        Result result = Decode(png, c.request);
        EXPECT_EQ(result.hr, S_OK);
        ASSERT_NE(result.bitmap, kUntouched);
        ExpectSize(result.bitmap, c.width, c.height);
        // Flat quadrants stay exact however they are averaged.
        ExpectQuadrants(result.bitmap, c.width, c.height, 0);
    }
    // Each pixel of the result is the average of those it covers.
    std::string stripes = testpictures::EncodeRgbPng(8, 2, [](int x, int) { return x % 2 ? kBlack : Rgb{254, 254, 254}; });
    Result halved = Decode(stripes, {50});
    ASSERT_EQ(halved.hr, S_OK);
    ExpectSize(halved.bitmap, 4, 1);
    for (int x = 0; x < 4; ++x)
        ExpectNear(PixelAt(halved.bitmap, x, 0), {127, 127, 127}, 0, "averaged stripes");

    // Shrinking a large JPEG lets the decoder drop detail on the way.
    std::string jpeg = testpictures::EncodeJpeg(800, 400, Quadrants(400, 200));
    Result shrunk = Decode(jpeg, {100, 150, 4100});
    EXPECT_EQ(shrunk.hr, S_OK);
    ASSERT_NE(shrunk.bitmap, kUntouched);
    ExpectSize(shrunk.bitmap, 150, 75);
    ExpectQuadrants(shrunk.bitmap, 150, 75, 12);
}

// At its own size a JPEG is decoded in full, however small: pixel for
// pixel what libjpeg gives without scaling.
TEST_F(ImageDecompression, SmallJpegsAtTheirOwnSizeDecodeUnscaled)
{
    const int sizes[][2] = {{4, 4}, {1, 1}, {7, 7}, {3, 6}, {7, 2}, {5, 12}, {12, 5}, {16, 8}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size[0] << "x" << size[1]);
        std::string jpeg = testpictures::EncodeJpeg(size[0], size[1], Noise, {75});
        testpictures::DecodedRgb reference = testpictures::DecodeJpeg(jpeg);
        ASSERT_EQ(reference.width, size[0]);
        Result result = Decode(jpeg);
        ASSERT_EQ(result.hr, S_OK);
        ExpectSize(result.bitmap, size[0], size[1]);
        int worst = 0;
        for (int y = 0; y < size[1]; ++y) {
            for (int x = 0; x < size[0]; ++x) {
                Rgb pixel = PixelAt(result.bitmap, x, y);
                const uint8_t* wanted = &reference.pixels[(size_t(y) * size[0] + x) * 3];
                worst = std::max({worst, std::abs(pixel.r - wanted[0]), std::abs(pixel.g - wanted[1]),
                                  std::abs(pixel.b - wanted[2])});
            }
        }
        EXPECT_EQ(worst, 0);
    }
}

// A copy of a JPEG whose frame header claims another size.
std::string WithClaimedSize(std::string jpeg, int width, int height)
{
    size_t frame = jpeg.find("\xFF\xC0", 2);
    EXPECT_NE(frame, std::string::npos);
    jpeg[frame + 5] = char(height >> 8);
    jpeg[frame + 6] = char(height);
    jpeg[frame + 7] = char(width >> 8);
    jpeg[frame + 8] = char(width);
    return jpeg;
}

TEST_F(ImageDecompression, DamagedDataLeavesTheSlotAlone)
{
    std::string jpeg = testpictures::EncodeJpeg(64, 64, Noise);
    std::string png = testpictures::EncodeRgbPng(16, 16, Quadrants(8, 8));
    std::string corruptPng = png;
    corruptPng[corruptPng.size() / 2] ^= 0x55;
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"jpeg cut short", jpeg.substr(0, jpeg.size() / 2)},
        {"jpeg without its last rows", jpeg.substr(0, jpeg.size() - 40)},
        {"jpeg header only", jpeg.substr(0, 200)},
        {"jpeg beyond the side limit", WithClaimedSize(jpeg, 16385, 64)},
        {"jpeg beyond the pixel limit", WithClaimedSize(jpeg, 9000, 9000)},
        {"png cut short", png.substr(0, png.size() - 30)},
        {"png damaged", corruptPng},
        {"png signature only", png.substr(0, 8)},
        {"garbage", std::string(5000, '\x5A')},
        {"signature start only", "\xFF"},
        {"empty", ""},
    };
    for (const Case& c : cases) {
        Result result = Decode(c.bytes);
        EXPECT_EQ(result.hr, E_FAIL) << c.name;
        EXPECT_EQ(result.bitmap, kUntouched) << c.name;
    }
}

TEST_F(ImageDecompression, UnsupportedRequestsAreRefused)
{
    std::string png = testpictures::EncodeRgbPng(4, 4, Quadrants(2, 2));
    using Change = std::function<void(DecompressImageInfo&)>;
    const Change refused[] = {
        [](DecompressImageInfo& info) { info.dwSize -= 4; },
        [](DecompressImageInfo& info) { info.pbBuffer = nullptr; },
        [](DecompressImageInfo& info) { info.dwBufferMax = 0; },
        [](DecompressImageInfo& info) { info.pfnGetData = nullptr; },
        [](DecompressImageInfo& info) { info.iBitDepth = 8; },
        [](DecompressImageInfo& info) { info.iScale = 0; },
    };
    for (const Change& change : refused) {
        Result result = Decode(png, {}, change);
        EXPECT_EQ(result.hr, E_FAIL);
        EXPECT_EQ(result.bitmap, kUntouched);
    }
    EXPECT_EQ(Decode(png, {}, [](DecompressImageInfo& info) { info.phBM = nullptr; }).hr, E_FAIL);
    EXPECT_EQ(decompress_(nullptr), E_FAIL);
    // Unchanged, the same request succeeds: each refusal is its field's.
    EXPECT_EQ(Decode(png).hr, S_OK);
}

}  // namespace
