#include <gtest/gtest.h>

#include <string>

#include "device_fixture.h"
#include "graphics/image_paths.h"
#include "graphics/image_table.h"
#include "graphics/screen_metrics.h"
#include "program_files.h"

namespace {

using testsupport::ProgramDirectory;
using testsupport::ProgramFile;

// A 2 × 1 32-bit run-length TGA.
std::string SmallTga()
{
    const char bytes[] = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 1, 0, 32, 8, '\x81', 1, 2, 3, '\xff'};
    return std::string(bytes, sizeof(bytes));
}

class ImageTableTest : public testsupport::DeviceFixture {
protected:
    void TearDown() override
    {
        PurgeImages();
        EXPECT_EQ(ImageTableCount(), 0) << "a test left pictures held";
        DeviceFixture::TearDown();
    }

    std::u16string ProgramPath(const char16_t* relative) const
    {
        return std::u16string(ProgramDirectory()) + relative;
    }
};

// Runs first in the process: nothing has touched the table yet. The
// screen of the default device is QVGA.
TEST_F(ImageTableTest, StartsNeverClearedAndQvgaPathsHaveNoSuffix)
{
    EXPECT_EQ(ImageTableCount(), -1);
    PurgeImages();
    EXPECT_EQ(ImageTableCount(), 0);

    ComputeScreenMetrics();
    ASSERT_FALSE(IsVgaScreen());
    EXPECT_EQ(std::u16string(GraphicsTgaPath(u"battery_small")), u"graphics\\battery_small.tga");
    EXPECT_EQ(std::u16string(GraphicsJpegPath(u"quib")), u"graphics\\quib.jpg");
    EXPECT_EQ(std::u16string(ThemeTgaPath(u"blue_land", u"blue", TRUE, TRUE)), u"themes\\blue\\blue_land.tga");
}

TEST_F(ImageTableTest, TgaPicturesAreSharedAndCounted)
{
    WriteHostFile(ProgramFile("graphics/dot.tga"), SmallTga());
    std::u16string path = ProgramPath(u"graphics\\dot.tga");
    SkinImage* first = GetTgaImage(path.c_str());
    SkinImage* second = GetTgaImage(path.c_str());
    ASSERT_EQ(first, second);
    ASSERT_TRUE(first->HasAlphaImage());
    EXPECT_EQ(first->alphaImage->width, 2u);
    EXPECT_EQ(first->referenceCount, 2);
    EXPECT_EQ(first->kindKey, 0);

    ReleaseImage(first, FALSE);
    ReleaseImage(second, FALSE);
    EXPECT_EQ(first->referenceCount, 0);
    // Released pictures stay loaded until a purge.
    EXPECT_EQ(GetTgaImage(path.c_str()), first);
    EXPECT_EQ(ImageTableCount(), 1);
    ReleaseImage(first, TRUE);
    EXPECT_EQ(ImageTableCount(), 0);
}

TEST_F(ImageTableTest, OneNameAsJpegAndAsTgaIsTwoPictures)
{
    SkinImage* jpeg = GetJpegImage(ProgramDirectory(), u"graphics\\x", FALSE, FALSE);
    SkinImage* tga = GetTgaImage(u"graphics\\x");
    EXPECT_NE(jpeg, tga);
    EXPECT_EQ(jpeg->kindKey, kJpegKind);
    EXPECT_EQ(jpeg->bitmap, nullptr);  // no such file
    // A missing JPEG is found again; it stays empty.
    EXPECT_EQ(GetJpegImage(ProgramDirectory(), u"graphics\\x", FALSE, FALSE), jpeg);
    SkinImage* keyed = GetKeyedJpegImage(ProgramDirectory(), u"graphics\\x", FALSE, 7);
    EXPECT_NE(keyed, jpeg);
    EXPECT_EQ(GetKeyedJpegImage(ProgramDirectory(), u"graphics\\x", FALSE, 7), keyed);
    EXPECT_EQ(keyed->referenceCount, 2);
    ReleaseImage(keyed, FALSE);
    ReleaseImage(keyed, FALSE);
    ReleaseImage(jpeg, FALSE);
    ReleaseImage(jpeg, FALSE);
    ReleaseImage(tga, FALSE);
}

TEST_F(ImageTableTest, AMissingTgaIsTriedAgainAndFoundOnceItIsThere)
{
    std::u16string path = ProgramPath(u"late.tga");
    SkinImage* missing = GetTgaImage(path.c_str());
    EXPECT_FALSE(missing->HasAlphaImage());
    SkinImage* stillMissing = GetTgaImage(path.c_str());
    EXPECT_NE(stillMissing, missing);  // a fresh entry: the file is read again
    ReleaseImage(missing, FALSE);
    ReleaseImage(stillMissing, FALSE);

    // Asking every second for a missing picture does not fill the table.
    for (int i = 0; i < 300; ++i)
        ReleaseImage(GetTgaImage(path.c_str()), FALSE);
    EXPECT_EQ(ImageTableCount(), 1);
    EXPECT_TRUE(Events("msgbox").empty());

    WriteHostFile(ProgramFile("late.tga"), SmallTga());
    SkinImage* found = GetTgaImage(path.c_str());
    ASSERT_TRUE(found->HasAlphaImage());
    EXPECT_EQ(GetTgaImage(path.c_str()), found);
    ReleaseImage(found, FALSE);
    ReleaseImage(found, FALSE);
}

TEST_F(ImageTableTest, AFullTableSaysSoOnceAndStillGivesAPicture)
{
    WriteHostFile(ProgramFile("dot.tga"), SmallTga());
    SkinImage* held[kImageTableSlots];
    for (int i = 0; i < kImageTableSlots; ++i) {
        std::u16string name = u"held" + std::u16string(1, (char16_t)(u'A' + i % 26)) + std::u16string(i / 26 + 1, u'x');
        held[i] = GetJpegImage(ProgramDirectory(), name.c_str(), FALSE, FALSE);
    }
    EXPECT_EQ(ImageTableCount(), kImageTableSlots);
    EXPECT_TRUE(Events("msgbox").empty());

    std::u16string path = ProgramPath(u"dot.tga");
    SkinImage* extra = GetTgaImage(path.c_str());
    ASSERT_TRUE(extra->HasAlphaImage());
    std::vector<std::string> boxes = Events("msgbox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("text=\"bmp cachefull\""), std::string::npos) << boxes[0];
    EXPECT_NE(boxes[0].find("style=0x20"), std::string::npos) << boxes[0];
    // Not in the table: the next request makes another.
    SkinImage* again = GetTgaImage(path.c_str());
    EXPECT_NE(again, extra);
    EXPECT_EQ(Events("msgbox").size(), 2u);
    delete extra;
    delete again;

    for (SkinImage* image : held)
        ReleaseImage(image, FALSE);
    // Now the purge makes room.
    SkinImage* cached = GetTgaImage(path.c_str());
    EXPECT_EQ(Events("msgbox").size(), 2u);
    EXPECT_EQ(ImageTableCount(), 1);
    ReleaseImage(cached, FALSE);
}

// The VGA flag stays set once a VGA screen was seen, so this runs last.
TEST_F(ImageTableTest, VgaPathsTakeTheSuffixWhereAllowed)
{
    UseProfile("vga");
    ComputeScreenMetrics();
    ASSERT_TRUE(IsVgaScreen());
    EXPECT_EQ(std::u16string(GraphicsTgaPath(u"battery_small")), u"graphics\\battery_small_vga.tga");
    EXPECT_EQ(std::u16string(ThemeJpegPath(u"blue", u"blue", FALSE, TRUE)), u"themes\\blue\\blue.jpg");
    EXPECT_EQ(std::u16string(ThemeJpegPath(u"blue", u"blue", TRUE, TRUE)), u"themes\\blue\\blue_vga.jpg");
    EXPECT_EQ(std::u16string(ThemeTgaPath(u"blue", u"blue", TRUE, FALSE)), u"themes\\blue\\blue_vga");
}

}  // namespace
