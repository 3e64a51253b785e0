#include <gtest/gtest.h>

#include <functional>

#include "setup_file.h"

namespace cabinet {
namespace {

SetupFile Sample()
{
    SetupFile setup;
    setup.appName = "Sample App";
    setup.minMajor = 4;
    setup.maxMajor = 5;
    setup.maxMinor = 99;
    setup.strings = {{1, "%CE1%"}, {2, "Sample App"}, {3, "Sample"}};
    setup.directories = {{1, {1, 2}}};
    setup.files = {{1, 1, 0, "sample.exe"}, {999, 1, 0, "setup.dll"}};
    setup.links = {{1, 11, 1, kLinkToFile, {3}}};
    return setup;
}

std::string Bytes(const SetupFile& setup)
{
    std::vector<uint8_t> bytes = FormatSetupFile(setup);
    return std::string(bytes.begin(), bytes.end());
}

void Put16(std::string& bytes, size_t at, uint16_t value)
{
    bytes[at] = static_cast<char>(value);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

TEST(SetupFile, ReadsBackWhatItWrites)
{
    std::string error;
    std::optional<SetupFile> read = ParseSetupFile(Bytes(Sample()), error);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(read->appName, "Sample App");
    EXPECT_EQ(read->minMajor, 4u);
    EXPECT_EQ(read->maxMinor, 99u);
    ASSERT_EQ(read->strings.size(), 3u);
    EXPECT_EQ(*read->String(2), "Sample App");
    ASSERT_EQ(read->directories.size(), 1u);
    EXPECT_EQ(read->directories[0].parts, (std::vector<uint16_t>{1, 2}));
    ASSERT_EQ(read->files.size(), 2u);
    EXPECT_EQ(read->File(999)->name, "setup.dll");
    ASSERT_EQ(read->links.size(), 1u);
    EXPECT_EQ(read->links[0].baseFolder, 11);
    EXPECT_EQ(read->links[0].target, 1);
    EXPECT_EQ(read->links[0].parts, (std::vector<uint16_t>{3}));
}

TEST(SetupFile, EveryShorterPrefixIsRefused)
{
    std::string bytes = Bytes(Sample());
    for (size_t size = 0; size < bytes.size(); ++size) {
        std::string error;
        EXPECT_FALSE(ParseSetupFile(bytes.substr(0, size), error)) << size;
    }
}

TEST(SetupFile, RefusesWhatDoesNotHoldTogether)
{
    struct Case {
        const char* what;
        std::function<void(SetupFile&)> edit;  // before writing
        std::function<void(std::string&)> patch;  // after writing
    };
    const Case cases[] = {
        {"signature", nullptr, [](std::string& b) { b[0] = 'X'; }},
        {"length field", nullptr, [](std::string& b) { Put16(b, 8, static_cast<uint16_t>(b.size() + 1)); }},
        {"strings offset past the end", nullptr, [](std::string& b) { Put16(b, 60, static_cast<uint16_t>(b.size())); }},
        {"files offset in the header", nullptr, [](std::string& b) { Put16(b, 68, 40); }},
        {"string count too large", nullptr, [](std::string& b) { Put16(b, 48, 200); }},
        {"app name past the end", nullptr, [](std::string& b) { Put16(b, 84, static_cast<uint16_t>(b.size())); }},
        {"app name unterminated", nullptr, [](std::string& b) { b[100 + 10] = 'x'; }},
        {"no app name", [](SetupFile& s) { s.appName.clear(); }, nullptr},
        {"directory names a missing string", [](SetupFile& s) { s.directories[0].parts = {1, 9}; }, nullptr},
        {"directory names string 0", [](SetupFile& s) { s.directories[0].parts = {}; }, nullptr},
        {"file names a missing directory", [](SetupFile& s) { s.files[0].directory = 7; }, nullptr},
        {"link to a missing file", [](SetupFile& s) { s.links[0].target = 5; }, nullptr},
        {"link to a missing directory", [](SetupFile& s) { s.links[0].type = kLinkToDirectory; s.links[0].target = 4; }, nullptr},
        {"link of an unknown type", [](SetupFile& s) { s.links[0].type = 7; }, nullptr},
        {"link names a missing string", [](SetupFile& s) { s.links[0].parts = {8}; }, nullptr},
        {"string id twice", [](SetupFile& s) { s.strings[1].id = 1; }, nullptr},
        {"file id twice", [](SetupFile& s) { s.files[1].id = 1; }, nullptr},
    };
    for (const Case& c : cases) {
        SetupFile setup = Sample();
        if (c.edit)
            c.edit(setup);
        std::string bytes = Bytes(setup);
        if (c.patch)
            c.patch(bytes);
        std::string error;
        EXPECT_FALSE(ParseSetupFile(bytes, error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
    }
}

}  // namespace
}  // namespace cabinet
