#include "install_record.h"

#include <gtest/gtest.h>

#include "device_fixture.h"

namespace {

using InstallRecordTest = testsupport::DeviceFixture;

TEST_F(InstallRecordTest, SavedRecordLoadsBackThroughTheRegistryAndDrops)
{
    InstallRecord record{u"Quib Monitor", u"\\Program Files\\Quib Monitor", u"\\Program Files\\Quib Monitor\\devsetup.dll",
                         {u"\\Program Files\\Quib Monitor", u"\\Program Files\\Quib Monitor\\graphics"},
                         {u"\\Program Files\\Quib Monitor\\quibmonitor.exe", u"\\Windows\\Grüße.dll"},
                         {u"\\Windows\\Start Menu\\Programs\\Quib Monitor.lnk"}};
    ASSERT_TRUE(SaveInstallRecord(record));
    EXPECT_EQ(ReadHostFile("Windows/AppMgr/Quib Monitor.rec"), FormatInstallRecord(record));

    std::optional<InstallRecord> loaded = LoadInstallRecord(u"QUIB MONITOR");
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->app, record.app);
    EXPECT_EQ(loaded->dir, record.dir);
    EXPECT_EQ(loaded->setup, record.setup);
    EXPECT_EQ(loaded->folders, record.folders);
    EXPECT_EQ(loaded->files, record.files);
    EXPECT_EQ(loaded->links, record.links);

    DropInstallRecord(u"Quib Monitor");
    EXPECT_FALSE(HostFileExists("Windows/AppMgr/Quib Monitor.rec"));
    EXPECT_FALSE(LoadInstallRecord(u"Quib Monitor"));
}

TEST_F(InstallRecordTest, MalformedRecordsAreRefused)
{
    EXPECT_FALSE(ParseInstallRecord("app=A\nno equals sign\ndir=\\A\n"));
    EXPECT_FALSE(ParseInstallRecord("app=A\nfile=\\A\\x\n"));  // no dir
    EXPECT_FALSE(ParseInstallRecord(""));
    std::optional<InstallRecord> lenient = ParseInstallRecord("app=A\n\ndir=\\A\nlater=kept apart\nfile=\\A\\x");
    ASSERT_TRUE(lenient);
    EXPECT_EQ(lenient->files, std::vector<std::u16string>{u"\\A\\x"});

    // A record file that names another application is not this one's.
    InstallRecord other{u"Other", u"\\Other", u"", {}, {}, {}};
    ASSERT_TRUE(SaveInstallRecord(other));
    WriteHostFile("Windows/AppMgr/Other.rec", "app=Someone Else\ndir=\\Other\n");
    EXPECT_FALSE(LoadInstallRecord(u"Other"));
}

}  // namespace
