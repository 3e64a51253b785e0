#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "device_fixture.h"
#include "graphics/image_table.h"
#include "graphics/jpeg_loader.h"
#include "program_files.h"

namespace {

using testsupport::ProgramDirectory;
using testsupport::ProgramFile;

std::string ImageFile(const std::string& relative)
{
    std::ifstream in(std::string(QM_DEVICE_IMAGE) + "/Program Files/Quib Monitor/" + relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The device's decoder library and two of the shipped pictures.
class JpegLoaderTest : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        std::filesystem::create_directories(HostPath("Windows"));
        std::filesystem::copy_file(IMGDECMP_MODULE, HostPath("Windows/Imgdecmp.dll"));
        quib_ = ImageFile("graphics/quib.jpg");
        tasks_ = ImageFile("tasks.png");
        ASSERT_FALSE(quib_.empty());
        ASSERT_FALSE(tasks_.empty());
    }
    void TearDown() override
    {
        PurgeImages();
        DeviceFixture::TearDown();
    }

    std::string quib_;
    std::string tasks_;
};

TEST_F(JpegLoaderTest, DecodesIntoTheSlotOrLeavesItAlone)
{
    WriteHostFile(ProgramFile("graphics/quib.jpg"), quib_);
    HBITMAP slot = NULL;
    EXPECT_EQ(LoadJpegBitmap(ProgramDirectory(), TEXT("graphics\\quib.jpg"), &slot, 100), 1);
    BITMAP description;
    ASSERT_EQ(GetObject(slot, sizeof(description), &description), (int)sizeof(description));
    EXPECT_EQ(description.bmWidth, 80);
    EXPECT_EQ(description.bmHeight, 80);
    EXPECT_EQ(description.bmBitsPixel, 24);
    DeleteObject(slot);

    // A missing file: 0 and the slot untouched; a file that is no picture:
    // 1 and still nothing in the slot.
    HBITMAP marker = (HBITMAP)1;
    EXPECT_EQ(LoadJpegBitmap(ProgramDirectory(), TEXT("graphics\\none.jpg"), &marker, 100), 0);
    EXPECT_EQ(marker, (HBITMAP)1);
    WriteHostFile(ProgramFile("graphics/bad.jpg"), quib_.substr(0, 40));
    slot = NULL;
    EXPECT_EQ(LoadJpegBitmap(ProgramDirectory(), TEXT("graphics\\bad.jpg"), &slot, 100), 1);
    EXPECT_EQ(slot, nullptr);
}

TEST_F(JpegLoaderTest, TheTableHalvesSplitSheetsAndReloadsOnRequest)
{
    WriteHostFile(ProgramFile("tasks.png"), tasks_);
    SkinImage* sheet = GetJpegImage(ProgramDirectory(), TEXT("tasks.png"), TRUE, FALSE);
    ASSERT_NE(sheet->bitmap, nullptr);
    EXPECT_EQ(sheet->description.bmWidth, 39);
    EXPECT_EQ(sheet->description.bmHeight, 44);

    // The file changes under the same name: only a reload shows it.
    WriteHostFile(ProgramFile("tasks.png"), quib_);
    EXPECT_EQ(GetJpegImage(ProgramDirectory(), TEXT("tasks.png"), TRUE, FALSE)->description.bmWidth, 39);
    EXPECT_EQ(GetJpegImage(ProgramDirectory(), TEXT("tasks.png"), TRUE, TRUE)->description.bmWidth, 40);
    EXPECT_EQ(sheet->referenceCount, 3);
    for (int i = 0; i < 3; ++i)
        ReleaseImage(sheet, FALSE);
}

}  // namespace
