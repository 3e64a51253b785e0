#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "device_fixture.h"
#include "program_files.h"
#include "settings/string_table.h"
#include "settings/string_table_files.h"

namespace {

using testsupport::ProgramDirectory;
using testsupport::ProgramFile;

std::u16string Cell(const StringTable& table, int row, int column)
{
    const WCHAR* text = table.GetCell(row, column);
    return text ? std::u16string(text) : u"(none)";
}

StringTable* Table(std::initializer_list<const char16_t*> firstColumn)
{
    StringTable* table = new StringTable(2);
    for (const char16_t* text : firstColumn)
        StringTable::SetCell(table->AddRow(), 1, text);
    return table;
}

TEST(StringTableTest, RowsAppendAndInsert)
{
    StringTable table(2);
    StringRow* first = table.AddRow();
    StringRow* last = table.AddRow();
    StringTable::SetCell(first, 1, u"first");
    StringTable::SetCell(last, 1, u"last");
    StringTable::SetCell(table.AddRow(first), 1, u"middle");
    EXPECT_EQ(table.rowCount, 3);
    EXPECT_EQ(Cell(table, 1, 1), u"first");
    EXPECT_EQ(Cell(table, 2, 1), u"middle");
    EXPECT_EQ(Cell(table, 3, 1), u"last");
    EXPECT_EQ(table.lastRow, last);
    EXPECT_EQ(last->previous->next, last);
}

TEST(StringTableTest, CellsAndTheCurrentRowAndColumn)
{
    StringTable table(3);
    StringRow* row = table.AddRow();
    StringTable::SetCell(row, 2, u"two");
    StringTable::SetCell(row, 2, u"second");
    StringTable::SetCell(row, 4, u"beyond");  // outside the row: ignored
    EXPECT_EQ(Cell(table, 1, 2), u"second");
    EXPECT_EQ(Cell(table, 1, 1), u"");
    EXPECT_EQ(Cell(table, 1, 4), u"(none)");
    EXPECT_EQ(Cell(table, 2, 1), u"(none)");
    EXPECT_EQ(Cell(table, 0, 2), u"(none)") << "no current row yet";
    table.currentRow = 1;
    table.currentColumn = 2;
    EXPECT_EQ(Cell(table, 0, 0), u"second");
    StringTable::SetCell(row, 2, NULL);
    EXPECT_EQ(Cell(table, 0, 0), u"");
}

TEST(StringTableTest, FindingRows)
{
    StringTable* table = Table({u"Default", u"", u"bluewave", u"Backgrounds"});
    EXPECT_EQ(table->FindRow(u"bluewave", 1, FALSE), 3);
    EXPECT_EQ(table->FindRow(u"BlueWave", 1, FALSE), 0);
    EXPECT_EQ(table->FindRow(u"BlueWave", 1, TRUE), 3);
    EXPECT_EQ(table->FindRow(u"", 1, FALSE), 0) << "empty cells never match";
    EXPECT_EQ(table->FindRow(NULL, 1, FALSE), 0);
    EXPECT_EQ(table->FindRow(u"Default", 2, FALSE), 0);
    EXPECT_EQ(table->FindRowByInitial(u'b', 1), 3);
    EXPECT_EQ(table->FindRowByInitial(u'D', 1), 1);
    EXPECT_EQ(table->FindRowByInitial(u'x', 1), 0);
    delete table;
}

TEST(StringTableTest, RemovingAndClearing)
{
    StringTable* table = Table({u"a", u"b", u"c"});
    table->currentRow = 3;
    table->RemoveRow(3);
    EXPECT_EQ(table->rowCount, 2);
    EXPECT_EQ(table->currentRow, 2);
    EXPECT_EQ(Cell(*table, 0, 1), u"b");
    table->RemoveRow(1);
    EXPECT_EQ(Cell(*table, 1, 1), u"b");
    EXPECT_EQ(table->firstRow, table->lastRow);
    table->RemoveRow(5);
    EXPECT_EQ(table->rowCount, 1);
    table->Clear();
    EXPECT_EQ(table->rowCount, 0);
    EXPECT_EQ(table->firstRow, nullptr);
    EXPECT_EQ(table->currentRow, 1) << "clearing keeps the current row";
    delete table;
}

using StringTableFileTest = testsupport::DeviceFixture;

TEST_F(StringTableFileTest, FirstLineFixesTheColumns)
{
    WriteHostFile(ProgramFile("list.dat"), "a~b~c\r\none\r\n1~2~3~4~5\r\n~~\n");
    StringTable table(6);
    EXPECT_EQ(LoadStringTableFile(&table, ProgramDirectory(), TEXT("list.dat"), u'~', FALSE), 3);
    ASSERT_EQ(table.rowCount, 4);
    EXPECT_EQ(Cell(table, 2, 1), u"one");
    EXPECT_EQ(Cell(table, 2, 2), u"");
    EXPECT_EQ(Cell(table, 3, 3), u"3");
    EXPECT_EQ(Cell(table, 3, 4), u"(none)");
    EXPECT_EQ(Cell(table, 4, 3), u"");
}

TEST_F(StringTableFileTest, ShippedLanguageList)
{
    WriteHostFile(ProgramFile("lang/lang.dat"), testsupport::ShippedFile("lang/lang.dat"));
    StringTable table(6);
    EXPECT_EQ(LoadStringTableFile(&table, ProgramDirectory(), TEXT("lang\\lang.dat"), u'~', FALSE), 9);
    ASSERT_EQ(table.rowCount, 1);
    EXPECT_EQ(Cell(table, 1, 1), u"English");
    EXPECT_EQ(Cell(table, 1, 2), u"en.txt");
    EXPECT_EQ(Cell(table, 1, 3), u"1");
    EXPECT_EQ(Cell(table, 1, 5), u"eula_en.txt");
    EXPECT_EQ(Cell(table, 1, 9), u"english");
}

TEST_F(StringTableFileTest, QuotesAreStrippedOnRequest)
{
    WriteHostFile(ProgramFile("q.csv"), "\"name\",\"a \"\"b\"\"\"\r\n");
    StringTable table(1);
    EXPECT_EQ(LoadStringTableFile(&table, ProgramDirectory(), TEXT("q.csv"), u',', TRUE), 2);
    EXPECT_EQ(Cell(table, 1, 1), u"name");
    EXPECT_EQ(Cell(table, 1, 2), u"a b");
}

TEST_F(StringTableFileTest, MissingOrEmptyFileGivesNoColumns)
{
    StringTable table(6);
    EXPECT_EQ(LoadStringTableFile(&table, ProgramDirectory(), TEXT("none.dat"), u'~', FALSE), 0);
    WriteHostFile(ProgramFile("empty.dat"), "");
    EXPECT_EQ(LoadStringTableFile(&table, ProgramDirectory(), TEXT("empty.dat"), u'~', FALSE), 0);
    EXPECT_EQ(table.rowCount, 0);
}

TEST_F(StringTableFileTest, WideFirstLineDoesNotInflateLaterRows)
{
    std::string file(20000, '~');
    file += "\n";
    for (int i = 0; i < 1000; ++i)
        file += "x~y\n";
    WriteHostFile(ProgramFile("wide.dat"), file);
    StringTable table(1);
    EXPECT_EQ(LoadStringTableFile(&table, ProgramDirectory(), TEXT("wide.dat"), u'~', FALSE), 20001);
    ASSERT_EQ(table.rowCount, 1001);
    EXPECT_LE(table.lastRow->cellsAllocated, 2);
    EXPECT_EQ(Cell(table, 1001, 2), u"y");
    EXPECT_EQ(Cell(table, 1001, 20001), u"");
}

TEST_F(StringTableFileTest, SubdirectoriesOnly)
{
    std::filesystem::create_directories(HostPath(ProgramFile("themes/bluewave")));
    std::filesystem::create_directories(HostPath(ProgramFile("themes/Default")));
    std::filesystem::create_directories(HostPath(ProgramFile("themes/.hidden")));
    WriteHostFile(ProgramFile("themes/readme.txt"), "not a theme");
    StringTable table(2);
    ListSubdirectories(&table, TEXT("\\Program Files\\Quib Monitor\\themes"));
    ASSERT_EQ(table.rowCount, 2);
    int blue = table.FindRow(u"bluewave", 1, FALSE);
    ASSERT_NE(blue, 0);
    EXPECT_EQ(Cell(table, blue, 2), u"\\Program Files\\Quib Monitor\\themes\\bluewave");
    EXPECT_NE(table.FindRow(u"Default", 1, FALSE), 0);

    StringTable none(2);
    ListSubdirectories(&none, TEXT("\\No\\Such\\Folder"));
    EXPECT_EQ(none.rowCount, 0);
}

}  // namespace
