// The agreement's text as the page hands it to the edit window: line ends,
// lines longer than one read, the buffer's limit, and odd bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/agreement_text.h"
#include "device_fixture.h"
#include "program_files.h"

namespace {

using testsupport::ProgramFile;

class AgreementTextTest : public testsupport::DeviceFixture {
protected:
    std::u16string Read(const std::string& bytes, int capacity = AGREEMENT_TEXT_MAX, BOOL* opened = nullptr)
    {
        WriteHostFile(ProgramFile("lang/eula_en.txt"), bytes);
        std::vector<WCHAR> text(static_cast<size_t>(capacity) + 1, u'#');
        BOOL ok = ReadAgreementText(TEXT("\\Program Files\\Quib Monitor\\lang\\eula_en.txt"), text.data(), capacity);
        if (opened)
            *opened = ok;
        EXPECT_EQ(text[static_cast<size_t>(capacity)], u'#') << "written past the capacity";
        return std::u16string(text.data());
    }
};

TEST_F(AgreementTextTest, EveryLineEndsInCarriageReturnLineFeed)
{
    struct Case {
        const char* name;
        std::string file;
        std::u16string text;
    } cases[] = {
        {"line feeds", "One\nTwo\n", u"One\r\nTwo\r\n"},
        {"CR LF in text mode", "One\r\nTwo\r\n", u"One\r\nTwo\r\n"},
        {"last line without line feed", "One\nLast", u"One\r\nLast\r\n"},
        {"blank lines kept", "A\n\n\nB\n", u"A\r\n\r\n\r\nB\r\n"},
        {"empty file", "", u""},
        {"a NUL ends its line", std::string("A\0B\nC\n", 6), u"A\r\nC\r\n"},
        {"8-bit bytes in the device's code page", "Caf\xe9 \x80\n", u"Caf\u00e9 \u20ac\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Read(c.file), c.text) << c.name;
}

TEST_F(AgreementTextTest, ALineLongerThanOneReadStaysWhole)
{
    for (size_t length : {size_t(AGREEMENT_LINE_MAX - 1), size_t(AGREEMENT_LINE_MAX), size_t(3 * AGREEMENT_LINE_MAX + 7)}) {
        std::string line(length, 'x');
        std::u16string expected(length, u'x');
        EXPECT_TRUE(Read(line + "\nEnd\n") == expected + u"\r\nEnd\r\n") << length;
        EXPECT_TRUE(Read(line) == expected + u"\r\n") << length << " at the end of the file";
    }
}

TEST_F(AgreementTextTest, TextBeyondTheBufferIsCutWithoutAHalfLineEnd)
{
    // Capacity 10 holds 9 characters: "abc\r\nde" and then no room for a
    // whole CR LF after "fg".
    EXPECT_EQ(Read("abc\ndefg\nhij\n", 10), u"abc\r\ndefg");
    EXPECT_EQ(Read("abcdefghijklmnop\n", 10), u"abcdefghi");
    std::u16string full = Read(std::string(50000, 'y'));
    EXPECT_EQ(full.size(), size_t(AGREEMENT_TEXT_MAX - 1));
}

TEST_F(AgreementTextTest, AMissingFileGivesAnEmptyText)
{
    std::vector<WCHAR> text(16, u'#');
    EXPECT_FALSE(ReadAgreementText(TEXT("\\Program Files\\Quib Monitor\\lang\\none.txt"), text.data(), 16));
    EXPECT_EQ(text[0], 0);
}

}  // namespace
