#include "server/store_space.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class StoreSpaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "qmstore-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
    }
    void TearDown() override { fs::remove_all(root_); }

    void Write(const std::string& relative, size_t bytes) const
    {
        fs::path path = root_ + "/" + relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << std::string(bytes, 'x');
    }

    std::string root_;
};

TEST_F(StoreSpaceTest, CountsEachFileOnceAndLeavesTheCardOut)
{
    EXPECT_EQ(sim::StoreBytesUsed(root_), 0u);
    Write("a.txt", 10);
    Write("Windows/b.bin", 1000);
    Write("Program Files/Quib Monitor/deep/c", 7);
    fs::create_directories(root_ + "/Empty");
    EXPECT_EQ(sim::StoreBytesUsed(root_), 1017u);

    // A second name of a file takes no more room; a symbolic link none.
    ASSERT_EQ(link((root_ + "/Windows/b.bin").c_str(), (root_ + "/Windows/b.last").c_str()), 0);
    fs::create_symlink(root_ + "/a.txt", root_ + "/pointer");
    EXPECT_EQ(sim::StoreBytesUsed(root_), 1017u);

    // The storage card's folder, in any case, is not the store; a folder of
    // that name further down is.
    Write("Storage Card/music.mp3", 5000);
    Write("STORAGE CARD/more.mp3", 5000);
    Write("My Documents/Storage Card/x", 3);
    EXPECT_EQ(sim::StoreBytesUsed(root_), 1020u);

    EXPECT_EQ(sim::StoreBytesUsed(root_ + "/missing"), 0u);
}

}  // namespace
