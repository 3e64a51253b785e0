#include "server/registry_hive.h"

#include <gtest/gtest.h>

#include "ce/registry.h"

namespace sim {
namespace {

std::vector<BYTE> Utf16Bytes(std::u16string_view text, bool terminated = true)
{
    std::vector<BYTE> bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<BYTE>(c));
        bytes.push_back(static_cast<BYTE>(c >> 8));
    }
    if (terminated)
        bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

TEST(RegistryHiveTest, WritesTheRegedit4Forms)
{
    std::vector<HiveKey> keys = {
        {u"HKEY_LOCAL_MACHINE\\Software\\Empty", {}},
        {u"HKEY_LOCAL_MACHINE\\System\\State\\Battery",
         {{u"", REG_SZ, Utf16Bytes(u"default")},
          {u"Main", REG_DWORD, {0x00, 0x00, 0x51, 0x00}},
          {u"Name", REG_SZ, Utf16Bytes(u"say \"hi\" C:\\x")},
          {u"Raw", REG_BINARY, {0x01, 0x02, 0xff}},
          {u"Odd", 0x1234, {}}}},
    };
    EXPECT_EQ(WriteHive(keys),
              "REGEDIT4\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Empty]\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\System\\State\\Battery]\n"
              "@=\"default\"\n"
              "\"Main\"=dword:00510000\n"
              "\"Name\"=\"say \\\"hi\\\" C:\\\\x\"\n"
              "\"Raw\"=hex(3):01,02,ff\n"
              "\"Odd\"=hex(1234):\n"
              "\n");
}

TEST(RegistryHiveTest, EveryValueRoundTripsByteForByte)
{
    std::vector<HiveValue> values = {
        {u"quotes \"and\" \\back\\", REG_SZ, Utf16Bytes(u"\"\\\\\"")},
        {u"caf\u00e9 \u20ac", REG_SZ, Utf16Bytes(u"\u00e9t\u00e9 \u20ac5 \U0001F600")},
        {u"empty", REG_SZ, Utf16Bytes(u"")},
        {u"unterminated", REG_SZ, Utf16Bytes(u"abc", false)},
        {u"odd size", REG_SZ, {'a', 0, 0}},
        {u"inner nul", REG_SZ, Utf16Bytes(std::u16string_view(u"a\0b", 3))},
        {u"two nuls", REG_SZ, Utf16Bytes(std::u16string_view(u"ab\0", 3))},
        {u"newline", REG_SZ, Utf16Bytes(u"line\nnext")},
        {u"lone surrogate", REG_SZ, Utf16Bytes(u"x\xD800y")},
        {u"short dword", REG_DWORD, {1, 2, 3}},
        {u"dword", REG_DWORD, {0x78, 0x56, 0x34, 0x12}},
        {u"empty binary", REG_BINARY, {}},
        {u"expand", REG_EXPAND_SZ, Utf16Bytes(u"%x%")},
        {u"high type", 0xFFFFFFFF, {0}},
    };
    std::vector<HiveKey> keys = {{u"HKEY_CURRENT_USER\\caf\u00e9\\[odd] \u20ac", values}};
    std::string text = WriteHive(keys);

    int bad = -1;
    std::vector<HiveKey> read = ReadHive(text, bad);
    EXPECT_EQ(bad, 0);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].path, keys[0].path);
    ASSERT_EQ(read[0].values.size(), values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(read[0].values[i].name, values[i].name);
        EXPECT_EQ(read[0].values[i].type, values[i].type);
        EXPECT_EQ(read[0].values[i].data, values[i].data);
    }
    EXPECT_EQ(WriteHive(read), text);
    // Non-ASCII text is stored as UTF-8, readable in the file.
    EXPECT_NE(text.find("\"caf\xC3\xA9 \xE2\x82\xAC\"=\"\xC3\xA9t\xC3\xA9"), std::string::npos) << text;
}

TEST(RegistryHiveTest, ReadingSkipsAndCountsMalformedLines)
{
    std::string text =
        "\"before\"=dword:00000001\r\n"  // no key yet
        "[HKEY_LOCAL_MACHINE\\A]\r\n"
        "; a comment\r\n"
        "  \"Good\" = dword:1f  \r\n"
        "\"BadEscape\"=\"a\\n\"\r\n"
        "\"BadDword\"=dword:zz\r\n"
        "\"LongDword\"=dword:123456789\r\n"
        "\"Open\"=\"unterminated\r\n"
        "\"Trailing\"=\"x\" junk\r\n"
        "\"BadHex\"=hex:01,zzz\r\n"
        "\"BadType\"=hex(q):01\r\n"
        "\"NoEquals\" dword:00000001\r\n"
        "\"BadUtf8\"=\"\xC3\"\r\n"
        "\r\n"
        "[unclosed\r\n"
        "\"Lost\"=dword:00000002\r\n"  // belongs to no key
        "[HKEY_CURRENT_USER\\B]\n"
        "@=hex:\n"
        "\"Str\"=\"s\"";  // last line without newline
    int bad = 0;
    std::vector<HiveKey> keys = ReadHive(text, bad);
    EXPECT_EQ(bad, 12);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].path, u"HKEY_LOCAL_MACHINE\\A");
    ASSERT_EQ(keys[0].values.size(), 1u);
    EXPECT_EQ(keys[0].values[0].name, u"Good");
    EXPECT_EQ(keys[0].values[0].type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(keys[0].values[0].data, (std::vector<BYTE>{0x1f, 0, 0, 0}));
    ASSERT_EQ(keys[1].values.size(), 2u);
    EXPECT_EQ(keys[1].values[0].name, u"");
    EXPECT_EQ(keys[1].values[0].type, static_cast<DWORD>(REG_BINARY));
    EXPECT_TRUE(keys[1].values[0].data.empty());
    EXPECT_EQ(keys[1].values[1].data, Utf16Bytes(u"s"));
}

TEST(RegistryHiveTest, HeaderIsOptional)
{
    int bad = -1;
    std::vector<HiveKey> keys = ReadHive("[HKEY_CURRENT_USER\\X]\n\"v\"=hex(7):61,00,00,00\n", bad);
    EXPECT_EQ(bad, 0);
    ASSERT_EQ(keys.size(), 1u);
    ASSERT_EQ(keys[0].values.size(), 1u);
    EXPECT_EQ(keys[0].values[0].type, static_cast<DWORD>(REG_MULTI_SZ));

    EXPECT_TRUE(ReadHive("", bad).empty());
    EXPECT_EQ(bad, 0);
    EXPECT_TRUE(ReadHive("\xEF\xBB\xBFREGEDIT4\r\n\r\n", bad).empty());
    EXPECT_EQ(bad, 0);
}

}  // namespace
}  // namespace sim
