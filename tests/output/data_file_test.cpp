#include <gtest/gtest.h>

#include "output/data_file.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace vlm {
namespace {

using Rows = std::vector<std::vector<std::u16string>>;

struct HardCase
{
    const char* what;
    QByteArray bytes;
    std::vector<std::u16string> columns;
    Rows records;
};

TEST(DataFile, ReadsTheHardCasesOfSpreadsheetExports)
{
    const std::vector<HardCase> cases = {
        {"plain", "A,B\n1,2\n", {u"A", u"B"}, {{u"1", u"2"}}},
        {"no final line break", "A,B\n1,2", {u"A", u"B"}, {{u"1", u"2"}}},
        {"CRLF", "A,B\r\n1,2\r\n3,4\r\n", {u"A", u"B"}, {{u"1", u"2"}, {u"3", u"4"}}},
        {"bare CR", "A,B\r1,2\r", {u"A", u"B"}, {{u"1", u"2"}}},
        {"quoted separator and doubled quote",
         "A,B\n\"Smith, J.\",\"say \"\"hi\"\"\"\n",
         {u"A", u"B"},
         {{u"Smith, J.", u"say \"hi\""}}},
        {"line breaks inside quotes",
         "A,B\n\"one\r\ntwo\",\"x\ny\"\n",
         {u"A", u"B"},
         {{u"one\ntwo", u"x\ny"}}},
        {"quoted empty and empty values", "A,B,C\n\"\",,\n", {u"A", u"B", u"C"}, {{u"", u"", u""}}},
        {"quote inside an unquoted value", "A\n5\" disk\n", {u"A"}, {{u"5\" disk"}}},
        {"UTF-8 with byte-order mark", "\xEF\xBB\xBFName\nZo\xC3\xAB\n", {u"Name"}, {{u"Zoë"}}},
        {"Latin-1 when not UTF-8", "Name;City\nZo\xEB;K\xF6ln\n", {u"Name", u"City"}, {{u"Zoë", u"Köln"}}},
        {"semicolons", "A;B\n1,5;2,5\n", {u"A", u"B"}, {{u"1,5", u"2,5"}}},
        {"tabs", "A\tB\n1,5\t2;5\n", {u"A", u"B"}, {{u"1,5", u"2;5"}}},
        {"separator inside a quoted header", "\"A;B\",C\n1,2\n", {u"A;B", u"C"}, {{u"1", u"2"}}},
        {"empty lines skipped", "\n\nA,B\n\n1,2\r\n\r\n3,4\n\n", {u"A", u"B"}, {{u"1", u"2"}, {u"3", u"4"}}},
        {"ragged rows padded, extra values dropped",
         "A,B,C\n1\n1,2,3,4\n",
         {u"A", u"B", u"C"},
         {{u"1", u"", u""}, {u"1", u"2", u"3"}}},
        {"header names trimmed", "Name , City\nx,y\n", {u"Name", u"City"}, {{u"x", u"y"}}},
        {"header only", "A,B\n", {u"A", u"B"}, {}},
        {"unclosed quote runs to the end", "A\n\"open\nstill\n", {u"A"}, {{u"open\nstill\n"}}},
    };
    for (const HardCase& c : cases) {
        DataTable table;
        std::string error;
        ASSERT_TRUE(readDataText(c.bytes, table, error)) << c.what << ": " << error;
        EXPECT_EQ(table.columns, c.columns) << c.what;
        EXPECT_EQ(table.records, c.records) << c.what;
    }
}

TEST(DataFile, RefusesWhatIsNoTableWithAMessageNamingTheFault)
{
    const struct
    {
        QByteArray bytes;
        std::string says;
    } bad[] = {
        {QByteArray("A,B\n1,\0002\n", 10), "not a text file"},
        {QByteArray("\xFF\xFE"
                    "A\0,\0B\0",
                    8),
         "not a text file"}, // UTF-16
        {QByteArray("\x01\x02\x03\x04\x05 binary"), "not a text file"},
        {"", "empty"},
        {"\r\n\n", "empty"},
        {"A,,C\n1,2,3\n", "column 2 without a name"},
        {"A,B, A\n", "two columns \"A\""},
    };
    for (const auto& b : bad) {
        DataTable table;
        std::string error;
        EXPECT_FALSE(readDataText(b.bytes, table, error)) << b.says;
        EXPECT_NE(error.find(b.says), std::string::npos) << error;
    }
}

TEST(DataFile, StopsPastTheRecordLimitAndReadsLongValuesWhole)
{
    DataReadOptions few;
    few.maxRecords = 3;
    DataTable table;
    std::string error;
    EXPECT_TRUE(readDataText("A\n1\n2\n3\n", table, error, few));
    EXPECT_FALSE(readDataText("A\n1\n2\n3\n4\n", table, error, few));
    EXPECT_NE(error.find("1,000,000"), std::string::npos);
    EXPECT_TRUE(table.records.empty());

    const QByteArray longValue(10000, 'w');
    ASSERT_TRUE(readDataText("A,B\n" + longValue + ",end\n", table, error));
    EXPECT_EQ(table.records[0][0].size(), 10000u);
    EXPECT_EQ(table.records[0][1], u"end");
}

TEST(DataFile, GivenSeparatorWinsAndAMissingFileIsReported)
{
    DataReadOptions semicolon;
    semicolon.separator = u';';
    DataTable table;
    std::string error;
    ASSERT_TRUE(readDataText("A,B;C\n1,2;3\n", table, error, semicolon));
    EXPECT_EQ(table.columns, (std::vector<std::u16string>{u"A,B", u"C"}));

    QTemporaryDir dir;
    EXPECT_FALSE(readDataFile(dir.filePath(QStringLiteral("none.csv")).toStdString(), table, error));
    EXPECT_NE(error.find("could not be read"), std::string::npos);
    QFile file(dir.filePath(QStringLiteral("a.csv")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Name\nAda\n");
    file.close();
    ASSERT_TRUE(readDataFile(file.fileName().toStdString(), table, error));
    EXPECT_EQ(table.records, (Rows{{u"Ada"}}));
}

} // namespace
} // namespace vlm
