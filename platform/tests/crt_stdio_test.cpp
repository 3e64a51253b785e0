#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "ce/crt.h"
#include "windows.h"
#include "device_fixture.h"

namespace {

class CrtStdio : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        std::filesystem::create_directories(HostPath("Program Files"));
    }

    // Opens "\Program Files\x.txt" after writing the given bytes there.
    FILE* OpenWith(const std::string& bytes, const WCHAR* mode = u"r")
    {
        WriteHostFile("Program Files/x.txt", bytes);
        return _wfopen(u"\\Program Files\\x.txt", mode);
    }

    // Every fgetws result until the end, each with a buffer of count.
    static std::vector<std::u16string> ReadAll(FILE* file, int count)
    {
        std::vector<std::u16string> lines;
        std::vector<WCHAR> buffer(count + 1, u'#');
        while (fgetws(buffer.data(), count, file))
            lines.emplace_back(buffer.data());
        return lines;
    }
};

using Lines = std::vector<std::u16string>;

TEST_F(CrtStdio, TextModeReadsLinesWithLineFeedKept)
{
    FILE* file = OpenWith("one\r\ntwo\nthree\rstill three\r\r\nlast");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ReadAll(file, 100), (Lines{u"one\n", u"two\n", u"three\rstill three\r\n", u"last"}));
    fclose(file);
}

TEST_F(CrtStdio, TextModeSplitsLongLinesIntoCountMinusOnePieces)
{
    FILE* file = OpenWith("abcdefg\r\nxy\r\n");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ReadAll(file, 4), (Lines{u"abc", u"def", u"g\n", u"xy\n"}));
    fclose(file);

    // A CR that lands in the last free place still pairs with its LF, and
    // a CR LF that does not fit at all comes as the next line.
    file = OpenWith("a\r\nbc\r\n");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ReadAll(file, 3), (Lines{u"a\n", u"bc", u"\n"}));
    fclose(file);
}

TEST_F(CrtStdio, TextModeDecodesWindows1252AndNulBytes)
{
    FILE* file = OpenWith(std::string("\x80\xE9\x9F\x81\n", 5) + std::string("a\0b\n", 4) + "c");
    ASSERT_NE(file, nullptr);
    WCHAR buffer[16];
    ASSERT_NE(fgetws(buffer, 16, file), nullptr);
    EXPECT_EQ(std::u16string(buffer), u"\u20ac\u00e9\u0178\u0081\n");
    ASSERT_NE(fgetws(buffer, 16, file), nullptr);
    EXPECT_EQ(std::u16string(buffer, 5), std::u16string(u"a\0b\n\0", 5));
    ASSERT_NE(fgetws(buffer, 16, file), nullptr);
    EXPECT_EQ(std::u16string(buffer), u"c");
    fclose(file);
}

TEST_F(CrtStdio, FgetwsCountLimitsAndEnd)
{
    FILE* file = OpenWith("xyz");
    ASSERT_NE(file, nullptr);
    WCHAR buffer[8] = u"keep";
    EXPECT_EQ(fgetws(buffer, 0, file), nullptr);
    errno = 0;
    EXPECT_EQ(fgetws(buffer, -1, file), nullptr);
    EXPECT_EQ(errno, EINVAL);
    EXPECT_EQ(std::u16string(buffer), u"keep");
    EXPECT_EQ(fgetws(buffer, 1, file), buffer);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(ReadAll(file, 8), (Lines{u"xyz"}));
    // At the end nothing is read and the buffer keeps its text.
    wcscpy(buffer, u"keep");
    EXPECT_EQ(fgetws(buffer, 8, file), nullptr);
    EXPECT_EQ(std::u16string(buffer), u"keep");
    fclose(file);

    file = OpenWith("");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(fgetws(buffer, 8, file), nullptr);
    fclose(file);
}

TEST_F(CrtStdio, TextModeWriteConvertsLineFeedsAndCodePage)
{
    FILE* file = _wfopen(u"\\Program Files\\out.txt", u"w");
    ASSERT_NE(file, nullptr);
    EXPECT_GE(fputws(u"caf\u00e9 \u20ac\n", file), 0);
    EXPECT_GE(fputws(u"\u4e2d\r\nend", file), 0);
    fclose(file);
    EXPECT_EQ(ReadHostFile("Program Files/out.txt"), "caf\xE9 \x80\r\n?\r\r\nend");

    // What was written reads back as it was, except the unmappable
    // character; the CR before the LF stays a lone CR plus one line end.
    file = _wfopen(u"\\program files\\OUT.TXT", u"rt");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ReadAll(file, 64), (Lines{u"caf\u00e9 \u20ac\n", u"?\r\n", u"end"}));
    fclose(file);
}

TEST_F(CrtStdio, AppendAddsToTheEnd)
{
    WriteHostFile("Program Files/log.txt", "a\r\n");
    FILE* file = _wfopen(u"\\Program Files\\log.txt", u"a");
    ASSERT_NE(file, nullptr);
    EXPECT_GE(fputws(u"b\n", file), 0);
    fclose(file);
    EXPECT_EQ(ReadHostFile("Program Files/log.txt"), "a\r\nb\r\n");
}

TEST_F(CrtStdio, BinaryModeUsesLittleEndianUnits)
{
    FILE* file = OpenWith(std::string("A\0\r\0\n\0\xAC\x20\n\0z", 11), u"rb");
    ASSERT_NE(file, nullptr);
    // No CR LF pairing; the lone final byte is not a character.
    EXPECT_EQ(ReadAll(file, 16), (Lines{u"A\r\n", u"\u20ac\n"}));
    fclose(file);

    file = _wfopen(u"\\Program Files\\out.bin", u"w+b");
    ASSERT_NE(file, nullptr);
    EXPECT_GE(fputws(u"\u20ac\n\uFFFF", file), 0);
    fflush(file);
    EXPECT_EQ(ReadHostFile("Program Files/out.bin"), std::string("\xAC\x20\n\0\xFF\xFF", 6));
    // The host's own functions keep working on the stream.
    EXPECT_EQ(ftell(file), 6);
    fseek(file, 0, SEEK_SET);
    WCHAR buffer[8];
    ASSERT_NE(fgetws(buffer, 8, file), nullptr);
    EXPECT_EQ(std::u16string(buffer), u"\u20ac\n");
    fclose(file);
}

TEST_F(CrtStdio, AFullStoreRefusesTextThatDoesNotFit)
{
    struct Case {
        const WCHAR* mode;
        std::string before;
        std::string after;
    };
    // Room for 6 bytes each time: a line feed takes 2 in text mode, every
    // character 2 in binary mode.
    const Case cases[] = {
        {u"w", "old", "ab\r\ncd"},
        {u"a", "old", "oldab\r\ncd"},
        {u"wb", "old", std::string("a\0b\0\n\0", 6)},
    };
    for (const Case& c : cases) {
        FILE* file = OpenWith(c.before, c.mode);
        ASSERT_NE(file, nullptr);
        LimitStore(6);
        EXPECT_EQ(fputws(u"ab\n", file), 0);
        EXPECT_LT(fputws(u"cd\n", file), 0);
        EXPECT_EQ(errno, ENOSPC);
        EXPECT_EQ(GetLastError(), DWORD(ERROR_DISK_FULL));
        if (c.mode[1] != u'b') {
            EXPECT_EQ(fputws(u"cd", file), 0);
        }
        EXPECT_LT(fputws(u"e", file), 0);
        EXPECT_EQ(fclose(file), 0);
        EXPECT_EQ(ReadHostFile("Program Files/x.txt"), c.after);
        Device().Profile().storeCapacity.reset();
    }
}

TEST_F(CrtStdio, HostFunctionsSeeTheBytesOnDisk)
{
    FILE* file = OpenWith("ab\r\ncd");
    ASSERT_NE(file, nullptr);
    WCHAR buffer[8];
    ASSERT_NE(fgetws(buffer, 8, file), nullptr);
    EXPECT_EQ(ftell(file), 4);
    char rest[3] = {};
    EXPECT_EQ(fread(rest, 1, 2, file), 2u);
    EXPECT_EQ(std::string(rest), "cd");
    fclose(file);
}

TEST_F(CrtStdio, OpenFailures)
{
    errno = 0;
    EXPECT_EQ(_wfopen(u"\\Program Files\\missing.txt", u"r"), nullptr);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(_wfopen(u"\\No Such Folder\\new.txt", u"w"), nullptr);
    EXPECT_EQ(_wfopen(u"\\..\\outside.txt", u"w"), nullptr);

    WriteHostFile("Program Files/x.txt", "x");
    for (const WCHAR* mode : {u"", u"x", u"rq", u"r++", u"rtb", u"+r", u"wbb"}) {
        errno = 0;
        EXPECT_EQ(_wfopen(u"\\Program Files\\x.txt", mode), nullptr) << testing::PrintToString(std::u16string(mode));
        EXPECT_EQ(errno, EINVAL);
    }
    for (const WCHAR* mode : {u"r", u"rt", u"rb", u"r+", u"r+b", u"rb+", u"a+t"}) {
        FILE* file = _wfopen(u"\\Program Files\\x.txt", mode);
        EXPECT_NE(file, nullptr) << testing::PrintToString(std::u16string(mode));
        if (file)
            fclose(file);
    }
}

// A folder is not a file: every mode fails as CreateFileW does on it.
TEST_F(CrtStdio, FoldersDoNotOpen)
{
    std::filesystem::create_directories(HostPath("Program Files/lang"));
    for (const WCHAR* path : {u"\\Program Files\\lang", u"\\Program Files\\lang\\", u"\\"}) {
        for (const WCHAR* mode : {u"r", u"rb", u"r+", u"w", u"a", u"a+b"}) {
            SCOPED_TRACE(testing::PrintToString(std::u16string(path) + u" " + mode));
            errno = 0;
            SetLastError(ERROR_SUCCESS);
            FILE* file = _wfopen(path, mode);
            EXPECT_EQ(file, nullptr);
            if (file)
                fclose(file);
            EXPECT_EQ(errno, EACCES);
            EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
        }
    }
    EXPECT_TRUE(std::filesystem::is_directory(HostPath("Program Files/lang")));
}

TEST_F(CrtStdio, ReusedStreamTakesTheNewMode)
{
    // glibc tends to hand out the same FILE after fclose; whatever it does,
    // each stream must read in the mode it was opened with.
    WriteHostFile("Program Files/x.txt", std::string("a\0\n\0", 4));
    for (int round = 0; round < 2; ++round) {
        FILE* binary = _wfopen(u"\\Program Files\\x.txt", u"rb");
        ASSERT_NE(binary, nullptr);
        EXPECT_EQ(ReadAll(binary, 8), (Lines{u"a\n"}));
        fclose(binary);
        FILE* text = _wfopen(u"\\Program Files\\x.txt", u"r");
        ASSERT_NE(text, nullptr);
        WCHAR buffer[8];
        ASSERT_NE(fgetws(buffer, 8, text), nullptr);
        EXPECT_EQ(std::u16string(buffer, 4), std::u16string(u"a\0\n\0", 4));
        fclose(text);
    }
}

}  // namespace
