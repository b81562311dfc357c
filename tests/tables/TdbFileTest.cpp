// .TDB files: the outline written exactly, rewriting gives the same bytes, damaged files refused
// with the line that is wrong.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/GbkText.h"
#include "tables/TdbFile.h"

namespace ckw::tables {
namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string ColumnSchedule() { return ReadBytes(std::string(CKW_SOURCE_DIR) + "/examples/tables/column-schedule.TDB"); }

TEST(TdbFile, WritesTheOutlineLineByLine) {
    UserTable table(1, 2, 25, 10);
    table.Cell(0, 0).text = "柱号";
    table.Cell(0, 1).alignment = 4;
    table.Cell(0, 1).heavyBorders = kTop;
    table.lineLayer = "表格";
    EXPECT_EQ(WriteTdb(table),
              "1 2\n"
              "1 1 5 15 35 70 25.00 10.00 0\n"
              "柱号\n"
              "$$$$\n"
              "表格\n"
              "1 1 4 15 35 70 25.00 10.00 2\n"
              "$$$$\n");
}

TEST(TdbFile, ReadingAndWritingAgainGivesTheSameBytes) {
    const std::string example = ColumnSchedule();
    ASSERT_FALSE(example.empty());
    UserTable table;
    {
        const ckw::Status done = ReadTdb(example, table);
        ASSERT_TRUE(done.ok()) << ckw::text::GbkToUtf8(done.why());
    }
    EXPECT_EQ(WriteTdb(table), example);
    EXPECT_GT(table.Rows() * table.Cols(), 20);

    // A file with carriage returns (written on another system) reads the same.
    std::string crlf;
    for (char c : example) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    UserTable again;
    {
        const ckw::Status done = ReadTdb(crlf, again);
        ASSERT_TRUE(done.ok()) << ckw::text::GbkToUtf8(done.why());
    }
    EXPECT_EQ(again, table);
}

TEST(TdbFile, DamagedFilesAreRefusedNamingTheLine) {
    const std::string cell = "1 1 5 15 35 70 20.00 8.00 0\n";
    struct Case {
        std::string bytes;
        std::string message;  // part of the message
    } cases[] = {
        {"", "第1行提前结束"},
        {"10000 10000\n", "10000行10000列"},
        {"2 x\n", "第1行"},
        {"1 1\n" + cell, "第3行提前结束"},
        {"1 1\n" + cell + "a\n$$$$\n", "第5行提前结束"},
        {"1 2\n" + cell + "a\n$$$$\n$$$$\n1 1 5 15 35 70 20.00 8.00\nb\n", "第6行: 单元格数据应是9个数"},
        {"1 2\n" + cell + "a\n$$$$\n$$$$\n1 1 5 15 35 seventy 20.00 8.00 0\nb\n", "第6行: 宽度系数不是整数"},
        {"1 1\n1 1 0 15 35 70 20.00 8.00 0\na\n$$$$\n$$$$\n", "第2行: 对齐方式0应在1到9之间"},
        {"1 1\n1 1 5 15 35 70 nan 8.00 0\na\n$$$$\n$$$$\n", "第2行: 列宽和行高应是数"},
        {"1 2\n" + cell + "a\n$$$$\n$$$$\n1 1 5 15 35 70 20.00 9.00 0\nb\n", "第6行: 第1行的行高"},
        {"1 2\n" + cell + "a\n$$$$\n$$$$\n" + cell + "b", "第7行提前结束"},
        {"2 1\n" + cell + "a\n$$$$\n$$$$\n1 1 5 15 35 70 21.00 8.00 0\nb\n", "第6行: 第1列的列宽"},
        {"1 2\n2 1 5 15 35 70 20.00 8.00 0\na\n$$$$\n$$$$\n" + cell + "b\n", "第2行: 合并单元格超出了表格"},
        {"1 2\n" + cell + "a\n$$$$\n$$$$\n0 0 5 15 35 70 20.00 8.00 0\nb\n", "第6行: 跨行跨列为0"},
        {"1 2\n1 2 5 15 35 70 20.00 8.00 0\na\n$$$$\n$$$$\n" + cell + "b\n", "第6行: 单元格与第2行的合并单元格重叠"},
        {"1 1\n0 1 5 15 35 70 20.00 8.00 0\na\n$$$$\n$$$$\n", "只能同时为0"},
        {"1 1\n" + cell + "a\n$$$$\n$$$$\nmore\n", "第6行: 表格已经结束"},
        {"1 1\n" + cell + std::string(kMaxCellText + 1, 'x') + "\n$$$$\n$$$$\n", "第3行: 文字超过了"},
    };
    for (const Case& c : cases) {
        UserTable table(3, 3, 10, 10);
        const UserTable before = table;
        const std::string why = ReadTdb(c.bytes, table).why();
        EXPECT_FALSE(why.empty()) << c.bytes;
        EXPECT_NE(why.find(c.message), std::string::npos)
            << "message: " << ckw::text::GbkToUtf8(why) << "\nexpected: " << ckw::text::GbkToUtf8(c.message);
        EXPECT_EQ(table, before) << "a refused file changes nothing";
    }
}

TEST(TdbFile, EveryTruncationOfAGoodFileIsRefused) {
    const std::string example = ColumnSchedule();
    UserTable table;
    for (size_t length = 0; length < example.size(); ++length)
        ASSERT_FALSE(ReadTdb(std::string_view(example).substr(0, length), table).ok()) << length;
}

TEST(TdbFile, SavingReplacesTheFileWhole) {
    const auto dir = std::filesystem::temp_directory_path() / ("tdb-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = ckw::text::Utf8ToGbk((dir / ckw::text::U8(u8"表.TDB")).string());
    ASSERT_TRUE(SaveTdbFile(path, UserTable(30, 8, 20, 8)).ok());
    ASSERT_TRUE(SaveTdbFile(path, UserTable(1, 1, 20, 8)).ok());
    UserTable table;
    {
        const ckw::Status done = LoadTdbFile(path, table);
        ASSERT_TRUE(done.ok()) << ckw::text::GbkToUtf8(done.why());
    }
    EXPECT_EQ(table.Rows(), 1);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1) << "no temporary file left";
    EXPECT_FALSE(LoadTdbFile(path + "x", table).ok());
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace ckw::tables
