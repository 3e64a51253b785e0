#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device_fixture.h"
#include "graphics/tga_reader.h"

namespace {

struct TgaHeader {
    BYTE identificationLength = 0;
    BYTE colourMapType = 0;
    BYTE imageType = 10;
    WORD colourMapLength = 0;
    BYTE colourMapEntryBits = 0;
    WORD xOrigin = 0;
    WORD yOrigin = 0;
    WORD width = 1;
    WORD height = 1;
    BYTE depth = 32;
    BYTE descriptor = 8;
};

void PutWord(std::string& out, WORD value)
{
    out += (char)(value & 0xFF);
    out += (char)(value >> 8);
}

std::string Encode(const TgaHeader& h, const std::string& body)
{
    std::string out;
    out += (char)h.identificationLength;
    out += (char)h.colourMapType;
    out += (char)h.imageType;
    PutWord(out, 0);
    PutWord(out, h.colourMapLength);
    out += (char)h.colourMapEntryBits;
    PutWord(out, h.xOrigin);
    PutWord(out, h.yOrigin);
    PutWord(out, h.width);
    PutWord(out, h.height);
    out += (char)h.depth;
    out += (char)h.descriptor;
    out += std::string(h.identificationLength, 'I');
    out += std::string((size_t)h.colourMapLength * h.colourMapEntryBits / 8, 'C');
    return out + body;
}

std::string Bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out += (char)v;
    return out;
}

class TgaReaderTest : public testsupport::DeviceFixture {
protected:
    void TearDown() override
    {
        FreeAlphaImage(image_);
        DeviceFixture::TearDown();
    }

    int Read(const std::string& bytes)
    {
        WriteHostFile("picture.tga", bytes);
        FreeAlphaImage(image_);
        return ReadTga(TEXT("\\picture.tga"), &image_);
    }

    std::vector<BYTE> Pixels() const
    {
        size_t size = (size_t)image_->width * image_->height * image_->bytesPerPixel;
        return std::vector<BYTE>(image_->pixels, image_->pixels + size);
    }

    AlphaImage* image_ = nullptr;
};

TEST_F(TgaReaderTest, UncompressedPixelsSwapBlueAndRedAndKeepTheHeaderFields)
{
    TgaHeader h;
    h.imageType = 2;
    h.depth = 24;
    h.width = 2;
    h.xOrigin = 7;
    h.yOrigin = 0x1234;
    h.identificationLength = 10;
    ASSERT_EQ(Read(Encode(h, Bytes({1, 2, 3, 4, 5, 6}))), kTgaRead);
    EXPECT_EQ(image_->bytesPerPixel, 3u);
    EXPECT_EQ(image_->width, 2u);
    EXPECT_EQ(image_->height, 1u);
    EXPECT_EQ(image_->xOrigin, 7u);
    EXPECT_EQ(image_->yOrigin, 0x1234u);
    EXPECT_EQ(Pixels(), (std::vector<BYTE>{3, 2, 1, 6, 5, 4}));

    // A colour map after the header is skipped too.
    h.colourMapLength = 3;
    h.colourMapEntryBits = 24;
    h.depth = 32;
    h.width = 1;
    ASSERT_EQ(Read(Encode(h, Bytes({10, 20, 30, 40}))), kTgaRead);
    EXPECT_EQ(Pixels(), (std::vector<BYTE>{30, 20, 10, 40}));
}

TEST_F(TgaReaderTest, RunLengthPacketsRepeatOrCopyAndMayCrossRows)
{
    TgaHeader h;
    h.width = 128;
    h.height = 2;
    // 0x80: one pixel once; 0xFF: one pixel 128 times (crossing into row
    // 1); 0x00: one raw pixel; 0x7F: 128 raw pixels, of which 126 fill the
    // picture and the packet stops at its end.
    std::string body = Bytes({0x80, 1, 2, 3, 4, 0xFF, 5, 6, 7, 8, 0x00, 9, 10, 11, 12, 0x7F});
    for (int i = 0; i < 128; ++i)
        body += Bytes({i, 0, 0, 255});
    ASSERT_EQ(Read(Encode(h, body)), kTgaRead);
    std::vector<BYTE> pixels = Pixels();
    ASSERT_EQ(pixels.size(), 128u * 2 * 4);
    EXPECT_EQ(std::vector<BYTE>(pixels.begin(), pixels.begin() + 4), (std::vector<BYTE>{3, 2, 1, 4}));
    for (int i = 1; i <= 128; ++i)
        ASSERT_EQ(std::vector<BYTE>(pixels.begin() + 4 * i, pixels.begin() + 4 * i + 4),
                  (std::vector<BYTE>{7, 6, 5, 8}))
            << i;
    EXPECT_EQ(std::vector<BYTE>(pixels.begin() + 4 * 129, pixels.begin() + 4 * 130),
              (std::vector<BYTE>{11, 10, 9, 12}));
    for (int i = 0; i < 126; ++i)
        ASSERT_EQ(pixels[4 * (130 + i) + 2], i) << i;
}

// The descriptor is not looked at: a top-left or right-to-left file keeps
// its rows and pixels in file order, so a top-left file shows upside down.
TEST_F(TgaReaderTest, OriginBitsLeaveRowsAndPixelsInFileOrder)
{
    // Two rows of two pixels, as the file holds them: B,G,R,A each.
    const std::string raw = Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    const std::string runLength = Bytes({0x03}) + raw;
    const std::vector<BYTE> inFileOrder = {3, 2, 1, 4, 7, 6, 5, 8, 11, 10, 9, 12, 15, 14, 13, 16};
    struct Case {
        BYTE descriptor;
        const char* origin;
    } cases[] = {
        {0x08, "bottom left"},
        {0x28, "top left"},
        {0x18, "bottom right"},
        {0x38, "top right"},
    };
    for (const Case& c : cases) {
        for (BYTE type : {2, 10}) {
            SCOPED_TRACE(std::string(c.origin) + ", type " + std::to_string(type));
            TgaHeader h;
            h.imageType = type;
            h.width = 2;
            h.height = 2;
            h.descriptor = c.descriptor;
            ASSERT_EQ(Read(Encode(h, type == 2 ? raw : runLength)), kTgaRead);
            EXPECT_EQ(Pixels(), inFileOrder);
        }
    }
}

TEST_F(TgaReaderTest, RefusesOtherTypesDepthsAndSizes)
{
    TgaHeader h;
    h.imageType = 1;
    EXPECT_EQ(Read(Encode(h, "")), kTgaWrongType);
    EXPECT_EQ(image_, nullptr);
    h.imageType = 10;
    h.depth = 16;
    EXPECT_EQ(Read(Encode(h, "")), kTgaWrongDepth);
    EXPECT_EQ(image_, nullptr);
    h.depth = 32;
    h.width = 0;
    EXPECT_EQ(Read(Encode(h, "")), kTgaWrongSize);
    // 65535 × 65535 × 4 bytes would be 16 GiB from a 19-byte file.
    h.width = 65535;
    h.height = 65535;
    EXPECT_EQ(Read(Encode(h, "")), kTgaWrongSize);
    EXPECT_EQ(image_, nullptr);
    EXPECT_EQ(ReadTga(TEXT("\\missing.tga"), &image_), kTgaCannotOpen);
    EXPECT_EQ(image_, nullptr);
}

TEST_F(TgaReaderTest, ATruncatedFileStillGivesTheWholePictureTransparentWhereMissing)
{
    TgaHeader h;
    h.width = 4;
    h.height = 2;
    ASSERT_EQ(Read(Encode(h, Bytes({0x82, 1, 2, 3, 255, 0x01, 9, 9}))), kTgaRead);
    std::vector<BYTE> expected(32, 0);
    for (int i = 0; i < 3; ++i) {
        expected[4 * i] = 3;
        expected[4 * i + 1] = 2;
        expected[4 * i + 2] = 1;
        expected[4 * i + 3] = 255;
    }
    EXPECT_EQ(Pixels(), expected);

    h.imageType = 2;
    ASSERT_EQ(Read(Encode(h, Bytes({1, 2, 3, 4, 5}))), kTgaRead);
    expected.assign(32, 0);
    expected[0] = 3;
    expected[1] = 2;
    expected[2] = 1;
    expected[3] = 4;
    expected[6] = 5;  // the fifth byte is blue of pixel 1, swapped to byte 2
    EXPECT_EQ(Pixels(), expected);

    // Cut inside the header.
    EXPECT_EQ(Read(Encode(h, "").substr(0, 3)), kTgaWrongDepth);
}

}  // namespace
