#include <gtest/gtest.h>

#include <string>

#include "shortcut_file.h"

namespace {

TEST(ShortcutFile, ReadsTargetAndArguments)
{
    struct Case {
        std::string_view bytes;
        std::u16string_view target;
        std::u16string_view arguments;
    };
    const Case cases[] = {
        {"45#\"\\Program Files\\Quib Monitor\\quibmonitor.exe\"",
         u"\\Program Files\\Quib Monitor\\quibmonitor.exe", u""},
        {"18#\\Windows\\power.exe", u"\\Windows\\power.exe", u""},
        {"33#\\Windows\\ctlpnl.exe cplmain.cpl,3", u"\\Windows\\ctlpnl.exe", u"cplmain.cpl,3"},
        {"24#\"\\a b\\c.exe\"  -x  \"y z\" ", u"\\a b\\c.exe", u"-x  \"y z\""},
        // One line end after the command is not counted.
        {"9#\\x\\ab.exe\r\n", u"\\x\\ab.exe", u""},
        {"9#\\x\\ab.exe\n", u"\\x\\ab.exe", u""},
        // Leading zeros and 8-bit characters are kept as written.
        {"0008#\\\xe9t\xe9.exe", u"\\\u00e9t\u00e9.exe", u""},
    };
    for (const Case& c : cases) {
        std::optional<shell::Shortcut> shortcut = shell::ParseShortcut(c.bytes);
        ASSERT_TRUE(shortcut) << c.bytes;
        EXPECT_TRUE(shortcut->target == c.target) << c.bytes;
        EXPECT_TRUE(shortcut->arguments == c.arguments) << c.bytes;
    }
}

TEST(ShortcutFile, RejectsMalformedFiles)
{
    const std::string_view cases[] = {
        "",
        "#\\Windows\\x.exe",              // no count
        "\\Windows\\x.exe",               // no '#'
        "14\\Windows\\x.exe",             // no '#' after the count
        "15#\\Windows\\x.exe",            // count one too many
        "13#\\Windows\\x.exe",            // count one too few
        "14#\\Windows\\x.exe\n\n",        // more than one line end
        "1e#\\Windows\\x.exe",            // count not decimal
        "-14#\\Windows\\x.exe",
        "00014#\\Windows\\x.exe",         // too many digits
        "99999999999999999999#x",         // a count that would overflow
        "0#",                             // no path
        "3#   ",
        "2#\"\"",                         // an empty quoted path
        "3#\"\\x",                        // open quote
        "7#\"\\x\"abc",                   // text glued to the closing quote
        "14#\\Windows\\x.ex\x01",         // control character
        std::string_view("14#\\Windows\\x.e\0e", 17),
        "4#\\x\ry",
    };
    for (std::string_view bytes : cases)
        EXPECT_FALSE(shell::ParseShortcut(bytes)) << bytes;
}

TEST(ShortcutFile, RejectsFilesAboveTheLimit)
{
    // A well-formed command that fills the limit is read; one byte more is not.
    std::string path(shell::kMaxShortcutFileSize - 5, 'a');
    path[0] = '\\';
    std::string file = std::to_string(path.size()) + "#" + path;
    ASSERT_EQ(file.size(), shell::kMaxShortcutFileSize);
    EXPECT_TRUE(shell::ParseShortcut(file));
    path += 'a';
    EXPECT_FALSE(shell::ParseShortcut(std::to_string(path.size()) + "#" + path));
}

}  // namespace
