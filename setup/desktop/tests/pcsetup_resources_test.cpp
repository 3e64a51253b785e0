// pcsetup's resources as the program carries them: the payloads and their
// names, the page texts and messages of every language, pictures, dialogs.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>

#include "setup/desktop/languages.h"
#include "setup/desktop/program_resources.h"
#include "setup/desktop/resource_ids.h"

namespace {

TEST(PcsetupResources, TheIniPayloadIsByteForByteWithoutAFinalLineEnd)
{
    const std::string expected =
        "[CEAppManager]\r\nVersion      = 1.0\r\nComponent    = Quib Monitor\r\n\r\n[Quib Monitor]\r\n"
        "Description  = Quib Monitor - Device Monitor\r\nUninstall    = Quib Monitor\r\n"
        "CabFiles     = QuibMonitorPPC.CAB";
    std::optional<std::string_view> ini = ResourceBytes(PAYLOAD_TYPE, PAYLOAD_INI);
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->size(), 191u);
    EXPECT_EQ(*ini, expected);

    ResourcePayloads payloads;
    EXPECT_EQ(payloads.FileName(PAYLOAD_INI), "quibmonitorinstall.ini");
    EXPECT_EQ(payloads.FileName(PAYLOAD_UNINSTALLER), "Uninstall.exe");
    EXPECT_EQ(payloads.FileName(PAYLOAD_CABINET), "QuibMonitorPPC.CAB");
    ASSERT_TRUE(payloads.Payload(PAYLOAD_UNINSTALLER));
    EXPECT_EQ(payloads.Payload(PAYLOAD_UNINSTALLER)->substr(0, 4), "\x7f" "ELF");
    ASSERT_TRUE(payloads.Payload(PAYLOAD_CABINET));
    EXPECT_EQ(payloads.Payload(PAYLOAD_CABINET)->substr(0, 4), "MSCF");
    EXPECT_FALSE(payloads.Payload(4));

    EXPECT_EQ(ResourceText(PRODUCT_TEXT_TYPE, PRODUCT_NAME), "Quib Monitor");
    EXPECT_EQ(ResourceText(PRODUCT_TEXT_TYPE, WIZARD_TITLE), "Quib Monitor 3.2 (PPC)");
}

TEST(PcsetupResources, EveryLanguageHasItsPageTextsAndMessages)
{
    const int messages[] = {IDS_NO_APP_MANAGER, IDS_SETUP,  IDS_NO_DIRECTORY, IDS_WRITE_FAILED,
                            IDS_MISSING_INFO,   IDS_NO_UNINSTALL, IDS_BACK, IDS_NEXT,
                            IDS_CANCEL,         IDS_FINISH, IDS_ACCEPT,       IDS_DECLINE};
    std::set<std::string> welcomes;
    for (int language = 0; language < kLanguageCount; ++language) {
        for (int text : {WELCOME_TEXT, AGREEMENT_TEXT}) {
            std::optional<std::string_view> bytes = ResourceBytes(PAGE_TEXT_TYPE, text + LanguageOffset(language));
            ASSERT_TRUE(bytes) << language << "/" << text;
            EXPECT_EQ(bytes->back(), '\0');
            // Every line break is CR LF.
            for (size_t i = 0; i < bytes->size(); ++i) {
                if ((*bytes)[i] == '\n') {
                    EXPECT_TRUE(i > 0 && (*bytes)[i - 1] == '\r') << language << "/" << text << " at " << i;
                }
            }
        }
        welcomes.insert(*ResourceText(PAGE_TEXT_TYPE, WELCOME_TEXT + LanguageOffset(language)));
        for (int id : messages)
            EXPECT_FALSE(LoadMessage(id, language).empty()) << language << "/" << id;
    }
    EXPECT_EQ(welcomes.size(), 5u);
    EXPECT_EQ(LoadMessage(IDS_SETUP, 0), "Setup");
    EXPECT_EQ(LoadMessage(IDS_NEXT, 7), "&Next >");
    // The desktop's code page: "é" is one byte.
    EXPECT_EQ(LoadMessage(IDS_BACK, 1), "< &Pr\xE9" "c\xE9" "dent");
}

TEST(PcsetupResources, PicturesAndDialogs)
{
    for (int bitmap : {IDB_BANNER, IDB_FLAG_ENGLISH, IDB_FLAG_FRENCH, IDB_FLAG_GERMAN, IDB_FLAG_ITALIAN,
                       IDB_FLAG_SPANISH})
        EXPECT_TRUE(FindResourceA(nullptr, MAKEINTRESOURCEA(bitmap), MAKEINTRESOURCEA(2))) << bitmap;
    for (int dialog : {IDD_WELCOME, IDD_AGREEMENT, IDD_WIZARD})
        EXPECT_TRUE(FindResourceA(nullptr, MAKEINTRESOURCEA(dialog), MAKEINTRESOURCEA(5))) << dialog;
}

}  // namespace
