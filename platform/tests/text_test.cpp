// Fonts and text output: metrics, extents, ExtTextOutW and DrawTextW on
// bitmaps and the screen.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "device_fixture.h"
#include "windows.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

// A white DIB selected into a memory DC.
class Canvas {
public:
    Canvas(int width, int height, int bitsPerPixel = 24, bool topDown = false)
        : width_(width), height_(height), bitsPerPixel_(bitsPerPixel), topDown_(topDown)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = topDown ? -height : height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
        info.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        dc_ = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc_, bitmap_);
        stride_ = (width * bitsPerPixel / 8 + 3) & ~3;
        std::memset(bits_, 0xFF, static_cast<size_t>(stride_) * height);
    }
    ~Canvas()
    {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    HDC Dc() const { return dc_; }
    // Read from the bits, as GetPixel would refuse pixels outside a clip.
    COLORREF At(int x, int y) const
    {
        int row = topDown_ ? y : height_ - 1 - y;
        const uint8_t* p = static_cast<const uint8_t*>(bits_) + row * stride_ + x * bitsPerPixel_ / 8;
        return RGB(p[2], p[1], p[0]);
    }
    std::vector<uint8_t> Bytes() const
    {
        const uint8_t* p = static_cast<const uint8_t*>(bits_);
        return std::vector<uint8_t>(p, p + static_cast<size_t>(stride_) * height_);
    }
    // The smallest rectangle holding every pixel that is not white.
    RECT Ink() const
    {
        RECT ink = {width_, height_, 0, 0};
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (At(x, y) != kWhite) {
                    ink.left = std::min<LONG>(ink.left, x);
                    ink.top = std::min<LONG>(ink.top, y);
                    ink.right = std::max<LONG>(ink.right, x + 1);
                    ink.bottom = std::max<LONG>(ink.bottom, y + 1);
                }
        return ink.right > 0 ? ink : RECT{0, 0, 0, 0};
    }
    bool Blank() const { return Ink().right == 0; }

private:
    int width_;
    int height_;
    int bitsPerPixel_;
    bool topDown_;
    int stride_ = 0;
    void* bits_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

HFONT Tahoma(int height, int weight = FW_NORMAL, DWORD quality = DEFAULT_QUALITY)
{
    return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, quality, DEFAULT_PITCH | FF_SWISS, u"Tahoma");
}

TEXTMETRICW Metrics(HDC dc)
{
    TEXTMETRICW tm = {};
    EXPECT_TRUE(GetTextMetricsW(dc, &tm));
    return tm;
}

SIZE Extent(HDC dc, std::u16string_view text)
{
    SIZE size = {};
    EXPECT_TRUE(GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size));
    return size;
}

void Draw(HDC dc, std::u16string_view text, RECT rect, UINT format)
{
    EXPECT_GT(DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rect, format), 0);
}

void TextOut(HDC dc, int x, int y, std::u16string_view text)
{
    EXPECT_TRUE(ExtTextOutW(dc, x, y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr));
}

using TextTest = testsupport::DeviceFixture;

TEST_F(TextTest, TahomaMetricsAtTheDeviceSizes)
{
    struct Case {
        int emHeight;
        LONG cellHeight;
    };
    Canvas canvas(4, 4);
    HDC dc = canvas.Dc();
    for (Case c : {Case{11, 13}, Case{12, 14}, Case{21, 25}, Case{24, 29}}) {
        for (int weight : {FW_NORMAL, FW_BOLD}) {
            SCOPED_TRACE(testing::Message() << "-" << c.emHeight << " weight " << weight);
            HFONT font = Tahoma(-c.emHeight, weight);
            HGDIOBJ old = SelectObject(dc, font);
            TEXTMETRICW tm = Metrics(dc);
            EXPECT_EQ(tm.tmHeight, c.cellHeight);
            EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
            EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight - c.emHeight);
            EXPECT_EQ(tm.tmWeight, weight);
            EXPECT_EQ(tm.tmBreakChar, u' ');
            EXPECT_GT(tm.tmAveCharWidth, 0);
            EXPECT_GT(tm.tmMaxCharWidth, tm.tmAveCharWidth);
            SelectObject(dc, old);
            DeleteObject(font);
        }
    }

    // A positive height is the cell, 0 the default of 8 points, and a new
    // DC starts with the 8-point system font.
    TEXTMETRICW stock = Metrics(dc);
    EXPECT_EQ(stock.tmHeight, 13);
    for (int height : {13, 0}) {
        HFONT font = Tahoma(height);
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICW tm = Metrics(dc);
        EXPECT_EQ(tm.tmHeight, 13) << height;
        EXPECT_EQ(tm.tmInternalLeading, 2) << height;
        SelectObject(dc, old);
        DeleteObject(font);
    }

    TEXTMETRICW tm = {};
    SetLastError(0xBEEF);
    EXPECT_FALSE(GetTextMetricsW(reinterpret_cast<HDC>(0x1234), &tm));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    LOGFONTW logFont = {};
    EXPECT_EQ(GetObjectW(GetStockObject(SYSTEM_FONT), sizeof logFont, &logFont), static_cast<int>(sizeof logFont));
    EXPECT_EQ(logFont.lfHeight, -11);
}

TEST_F(TextTest, ExtentsAddUpAdvancesAndBoldIsWider)
{
    Canvas canvas(4, 4);
    HDC dc = canvas.Dc();
    TEXTMETRICW tm = Metrics(dc);
    SIZE one = Extent(dc, u"W");
    SIZE two = Extent(dc, u"Wi");
    SIZE four = Extent(dc, u"Wide");
    EXPECT_GT(one.cx, 0);
    EXPECT_GT(two.cx, one.cx);
    EXPECT_GT(four.cx, two.cx);
    EXPECT_EQ(four.cy, tm.tmHeight);
    // No kerning: a pair is as wide as its two characters.
    EXPECT_EQ(Extent(dc, u"AV").cx, Extent(dc, u"A").cx + Extent(dc, u"V").cx);
    SIZE empty = Extent(dc, u"");
    EXPECT_EQ(empty.cx, 0);
    EXPECT_EQ(empty.cy, tm.tmHeight);

    HFONT bold = Tahoma(-11, FW_BOLD);
    HGDIOBJ old = SelectObject(dc, bold);
    EXPECT_GT(Extent(dc, u"Battery").cx, [&] {
        HGDIOBJ boldFont = SelectObject(dc, old);
        LONG normal = Extent(dc, u"Battery").cx;
        SelectObject(dc, boldFont);
        return normal;
    }());
    SelectObject(dc, old);
    DeleteObject(bold);

    SIZE size = {};
    SetLastError(0xBEEF);
    EXPECT_FALSE(GetTextExtentPoint32W(dc, u"x", -1, &size));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(TextTest, CalcRectMeasuresSingleAndWrappedTextWithoutDrawing)
{
    Canvas canvas(200, 120);
    HDC dc = canvas.Dc();
    const LONG line = Metrics(dc).tmHeight;
    const std::u16string text = u"Battery level is low";

    RECT rect = {10, 10, 70, 110};
    EXPECT_EQ(DrawTextW(dc, text.c_str(), -1, &rect, DT_CALCRECT | DT_SINGLELINE), line);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.right, 10 + Extent(dc, text).cx);
    EXPECT_EQ(rect.bottom, 10 + line);

    rect = RECT{10, 10, 70, 110};
    int height = DrawTextW(dc, text.c_str(), -1, &rect, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GT(height, line);
    EXPECT_EQ(height % line, 0);
    EXPECT_EQ(rect.bottom - rect.top, height);
    EXPECT_GT(rect.right, 10);
    EXPECT_LE(rect.right, 70);
    EXPECT_TRUE(canvas.Blank());

    // Drawn, the wrapped text takes the same height and stays in that block.
    RECT block = rect;
    rect = RECT{10, 10, 70, 110};
    EXPECT_EQ(DrawTextW(dc, text.c_str(), -1, &rect, DT_WORDBREAK), height);
    EXPECT_TRUE(Inside(canvas.Ink(), block));
    EXPECT_FALSE(canvas.Blank());

    // Separate lines: as wide as the widest.
    rect = RECT{0, 0, 10, 10};
    EXPECT_EQ(DrawTextW(dc, u"ab\r\ncdef", -1, &rect, DT_CALCRECT), 2 * line);
    EXPECT_EQ(rect.right, Extent(dc, u"cdef").cx);
    EXPECT_EQ(DrawTextW(dc, u"abc", 0, &rect, DT_CALCRECT), line);
    EXPECT_EQ(rect.right, 0);
}

TEST_F(TextTest, AlignmentPlacesTheTextAgainstTheEdges)
{
    const RECT box = {10, 0, 110, 60};
    const std::u16string text = u"HH";
    {
        Canvas canvas(120, 60);
        Draw(canvas.Dc(), text, box, DT_SINGLELINE | DT_RIGHT);
        RECT ink = canvas.Ink();
        EXPECT_GE(ink.right, box.right - 2);
        EXPECT_LE(ink.right, box.right);
        EXPECT_GT(ink.left, 60);
    }
    {
        Canvas canvas(120, 60);
        Draw(canvas.Dc(), text, box, DT_SINGLELINE | DT_LEFT);
        RECT ink = canvas.Ink();
        EXPECT_GE(ink.left, box.left);
        EXPECT_LE(ink.left, box.left + 2);
        EXPECT_LT(ink.right, 60);
    }
    {
        Canvas canvas(120, 60);
        Draw(canvas.Dc(), text, box, DT_SINGLELINE | DT_CENTER);
        RECT ink = canvas.Ink();
        EXPECT_LE(std::abs((ink.left - box.left) - (box.right - ink.right)), 2);
    }
    // Vertical placement is for single lines; the result counts from the top.
    Canvas measure(4, 4);
    const LONG line = Metrics(measure.Dc()).tmHeight;
    {
        Canvas canvas(120, 60);
        RECT rect = box;
        EXPECT_EQ(DrawTextW(canvas.Dc(), text.c_str(), -1, &rect, DT_SINGLELINE | DT_VCENTER), (60 - line) / 2 + line);
        RECT ink = canvas.Ink();
        EXPECT_GE(ink.top, (60 - line) / 2);
        EXPECT_LE(ink.bottom, (60 - line) / 2 + line);
    }
    {
        Canvas canvas(120, 60);
        RECT rect = box;
        EXPECT_EQ(DrawTextW(canvas.Dc(), text.c_str(), -1, &rect, DT_SINGLELINE | DT_BOTTOM), 60);
        EXPECT_GE(canvas.Ink().top, 60 - line);
        rect = box;
        EXPECT_EQ(DrawTextW(canvas.Dc(), text.c_str(), -1, &rect, DT_BOTTOM), line);
        EXPECT_LT(canvas.Ink().top, line);
    }
}

TEST_F(TextTest, EndEllipsisShortensTheLineToFit)
{
    const std::u16string text = u"Storage card: 123.4 MB free";
    const int width = 70;
    Canvas drawn(100, 20);
    HDC dc = drawn.Dc();
    RECT rect = {0, 0, width, 20};
    DrawTextW(dc, text.c_str(), -1, &rect, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_GT(rect.right, width);
    rect = RECT{0, 0, width, 20};
    DrawTextW(dc, text.c_str(), -1, &rect, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(rect.right, width);
    EXPECT_GT(rect.right, width / 2);

    // What is drawn is the longest start of the text that fits with "...".
    std::u16string expected;
    for (size_t n = 0; n <= text.size(); ++n) {
        std::u16string candidate = text.substr(0, n) + u"...";
        if (Extent(dc, candidate).cx <= width)
            expected = candidate;
    }
    EXPECT_EQ(rect.right, Extent(dc, expected).cx);
    Draw(dc, text, RECT{0, 0, width, 20}, DT_SINGLELINE | DT_END_ELLIPSIS);
    Canvas reference(100, 20);
    TextOut(reference.Dc(), 0, 0, expected);
    EXPECT_EQ(drawn.Bytes(), reference.Bytes());
}

TEST_F(TextTest, PrefixesUnderlineOrEscapeAmpersands)
{
    const RECT box = {0, 0, 100, 20};
    {
        Canvas drawn(100, 20);
        Canvas reference(100, 20);
        Draw(drawn.Dc(), u"A&&B", box, DT_SINGLELINE);
        TextOut(reference.Dc(), 0, 0, u"A&B");
        EXPECT_EQ(drawn.Bytes(), reference.Bytes());
    }
    {
        Canvas drawn(100, 20);
        Canvas reference(100, 20);
        Draw(drawn.Dc(), u"&AB", box, DT_SINGLELINE | DT_NOPREFIX);
        TextOut(reference.Dc(), 0, 0, u"&AB");
        EXPECT_EQ(drawn.Bytes(), reference.Bytes());
    }
    // "&A" draws "A" and an underline below it, within its cell and below
    // the baseline.
    Canvas drawn(100, 20);
    Canvas reference(100, 20);
    Draw(drawn.Dc(), u"&AB", box, DT_SINGLELINE);
    TextOut(reference.Dc(), 0, 0, u"AB");
    TEXTMETRICW tm = Metrics(drawn.Dc());
    LONG aWidth = Extent(drawn.Dc(), u"A").cx;
    int changed = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 100; ++x) {
            if (drawn.At(x, y) == reference.At(x, y))
                continue;
            ++changed;
            EXPECT_LT(x, aWidth) << x << "," << y;
            EXPECT_GE(y, tm.tmAscent) << x << "," << y;
            EXPECT_LT(y, tm.tmHeight) << x << "," << y;
        }
    }
    EXPECT_GE(changed, aWidth - 1);
}

LRESULT CALLBACK PlainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

TEST_F(TextTest, TextStaysInsideTheClipAndTheRectangle)
{
    const std::u16string wide = u"WWWWWWWWWWWW";
    {
        Canvas canvas(100, 40);
        IntersectClipRect(canvas.Dc(), 20, 0, 50, 40);
        TextOut(canvas.Dc(), 0, 5, wide);
        RECT ink = canvas.Ink();
        EXPECT_FALSE(canvas.Blank());
        EXPECT_TRUE(Inside(ink, RECT{20, 0, 50, 40}));
    }
    {
        Canvas canvas(100, 40);
        const RECT box = {0, 20, 30, 40};
        Draw(canvas.Dc(), wide, box, DT_SINGLELINE);
        EXPECT_TRUE(Inside(canvas.Ink(), box));
        Draw(canvas.Dc(), wide, RECT{0, 0, 30, 20}, DT_SINGLELINE | DT_NOCLIP);
        EXPECT_GT(canvas.Ink().right, 30);
    }
    {
        Canvas canvas(100, 40);
        const RECT box = {10, 8, 40, 14};
        EXPECT_TRUE(ExtTextOutW(canvas.Dc(), 0, 5, ETO_CLIPPED, &box, wide.c_str(), static_cast<UINT>(wide.size()),
                                nullptr));
        EXPECT_FALSE(canvas.Blank());
        EXPECT_TRUE(Inside(canvas.Ink(), box));
    }

    // On the screen: nothing lands on the window above.
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PlainProc;
    wc.lpszClassName = u"TextPlain";
    RegisterClassW(&wc);
    HWND below = CreateWindowExW(0, u"TextPlain", u"", WS_VISIBLE | WS_POPUP, 0, 50, 200, 40, nullptr, nullptr,
                                 nullptr, nullptr);
    HWND above = CreateWindowExW(0, u"TextPlain", u"", WS_VISIBLE | WS_POPUP, 40, 50, 40, 40, nullptr, nullptr,
                                 nullptr, nullptr);
    HDC screen = GetDC(nullptr);
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RECT all = {0, 0, 240, 320};
    FillRect(screen, &all, white);
    ReleaseDC(nullptr, screen);
    HDC dc = GetDC(below);
    TextOut(dc, 0, 10, wide);
    ReleaseDC(below, dc);
    auto screenPixel = [this](int x, int y) {
        const uint8_t* p = Device().Screen()->Row(y) + x * 3;
        return RGB(p[2], p[1], p[0]);
    };
    int inked = 0;
    for (int y = 50; y < 90; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (screenPixel(x, y) == kWhite)
                continue;
            EXPECT_TRUE(x < 40 || x >= 80) << x << "," << y;
            ++inked;
        }
    }
    EXPECT_GT(inked, 0);
    DestroyWindow(above);
    DestroyWindow(below);
}

TEST_F(TextTest, BackgroundModeAdvancesAndTextColour)
{
    Canvas canvas(100, 40);
    HDC dc = canvas.Dc();
    TEXTMETRICW tm = Metrics(dc);
    LONG width = Extent(dc, u"i").cx;
    const COLORREF red = RGB(255, 0, 0);
    SetBkColor(dc, red);
    // Opaque, the default: the whole cell takes the background colour.
    TextOut(dc, 10, 10, u"i");
    EXPECT_TRUE(SameRect(canvas.Ink(), RECT{10, 10, 10 + width, 10 + tm.tmHeight}));
    EXPECT_EQ(canvas.At(10, 10), red);
    EXPECT_EQ(canvas.At(10 + width - 1, 10 + tm.tmHeight - 1), red);

    // Transparent: only ink; ETO_OPAQUE still fills its rectangle.
    Canvas clear(100, 40);
    SetBkColor(clear.Dc(), red);
    SetBkMode(clear.Dc(), TRANSPARENT);
    TextOut(clear.Dc(), 10, 10, u"i");
    EXPECT_EQ(clear.At(10, 10), kWhite);
    EXPECT_FALSE(clear.Blank());
    RECT box = {60, 0, 90, 40};
    EXPECT_TRUE(ExtTextOutW(clear.Dc(), 0, 0, ETO_OPAQUE, &box, nullptr, 0, nullptr));
    EXPECT_EQ(clear.At(60, 0), red);
    EXPECT_EQ(clear.At(89, 39), red);
    EXPECT_EQ(clear.At(90, 39), kWhite);

    // Given advances place each character. Ink blends from the paper to the
    // text colour channel by channel: white to blue keeps blue full and red
    // and green equal.
    Canvas spaced(100, 40);
    HFONT large = Tahoma(-24);  // stems thick enough to cover whole pixels
    HGDIOBJ oldFont = SelectObject(spaced.Dc(), large);
    SetBkMode(spaced.Dc(), TRANSPARENT);
    SetTextColor(spaced.Dc(), RGB(0, 0, 255));
    const INT advances[] = {40, 40};
    EXPECT_TRUE(ExtTextOutW(spaced.Dc(), 0, 0, 0, nullptr, u"ll", 2, advances));
    int darkest = 255;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 100; ++x) {
            COLORREF c = spaced.At(x, y);
            if (c == kWhite)
                continue;
            EXPECT_TRUE(x < 8 || (x >= 40 && x < 48)) << x << "," << y;
            EXPECT_EQ(GetBValue(c), 255) << x << "," << y;
            EXPECT_EQ(GetRValue(c), GetGValue(c)) << x << "," << y;
            darkest = std::min<int>(darkest, GetRValue(c));
        }
    }
    EXPECT_EQ(darkest, 0);
    SelectObject(spaced.Dc(), oldFont);
    DeleteObject(large);

    SetLastError(0xBEEF);
    EXPECT_FALSE(ExtTextOutW(dc, 0, 0, 0, nullptr, nullptr, 3, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(TextTest, SameTextGivesTheSamePixelsOnEveryKindOfBitmap)
{
    const std::u16string text = u"Memory: 12.3 MB";
    Canvas first(100, 20);
    Canvas second(100, 20);
    TextOut(first.Dc(), 2, 2, text);
    TextOut(second.Dc(), 2, 2, text);
    EXPECT_EQ(first.Bytes(), second.Bytes());

    Canvas deep(100, 20, 32, true);
    TextOut(deep.Dc(), 2, 2, text);
    bool grey = false;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 100; ++x) {
            ASSERT_EQ(deep.At(x, y), first.At(x, y)) << x << "," << y;
            COLORREF c = first.At(x, y);
            grey |= c != kWhite && c != RGB(0, 0, 0);
        }
    }
    EXPECT_TRUE(grey);  // anti-aliased by default

    // Without anti-aliasing every pixel is ink or paper.
    HFONT mono = Tahoma(-11, FW_NORMAL, NONANTIALIASED_QUALITY);
    Canvas sharp(100, 20);
    HGDIOBJ old = SelectObject(sharp.Dc(), mono);
    TextOut(sharp.Dc(), 2, 2, text);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_TRUE(sharp.At(x, y) == kWhite || sharp.At(x, y) == RGB(0, 0, 0)) << x << "," << y;
    EXPECT_FALSE(sharp.Blank());
    SelectObject(sharp.Dc(), old);
    DeleteObject(mono);
}

}  // namespace
