// The shipped system library: the tables and column types the loaders rely on, and data that
// holds together (layers name line types and colours that exist).
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "dao/Dao.h"
#include "base/GbkText.h"
#include "dao/SqlScript.h"
#include "support/TestEnv.h"

using namespace ckw::dao;
namespace fs = std::filesystem;

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class SystemLibraryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new ckw::test::TempDir;
        path = (dir->path() / "绘图参数.mdb").string();  // a GBK name, kept as bytes
        CreateDatabaseFromSql(ReadFile(CKW_SYSTEM_LIBRARY_SQL), ckw::text::GbkToUtf8(path));
    }
    static void TearDownTestSuite() { delete dir; }
    void SetUp() override { db.Open(path); }

    // Field name -> type of a table, in order.
    std::vector<std::pair<std::string, int>> Fields(const std::string& table) {
        Recordset rs(db);
        rs.OpenTable(table);
        std::vector<std::pair<std::string, int>> out;
        for (int i = 0; i < rs.GetFieldCount(); ++i) out.emplace_back(rs.GetFieldInfo(i).name, rs.GetFieldInfo(i).type);
        return out;
    }
    std::vector<std::string> Values(const std::string& table, const std::string& field) {
        Recordset rs(db);
        rs.OpenTable(table);
        std::vector<std::string> out;
        for (; !rs.IsEOF(); rs.MoveNext()) out.push_back(rs.GetFieldValue(field).AsText());
        return out;
    }

    static inline ckw::test::TempDir* dir = nullptr;
    static inline std::string path;
    Database db;
};

using FieldList = std::vector<std::pair<std::string, int>>;

TEST_F(SystemLibraryTest, TablesHaveTheColumnsAndTypesTheLoadersRead) {
    EXPECT_EQ(Fields("系统线型表"),
              (FieldList{{"ID", dbLong}, {"线型名称", dbText}, {"线型描述", dbText}, {"线型说明", dbText}}));
    EXPECT_EQ(Fields("颜色表"),
              (FieldList{{"ID", dbLong}, {"颜色名", dbText}, {"颜色号", dbLong}, {"颜色说明", dbText}}));
    EXPECT_EQ(
        Fields("系统文字标注高宽表"),
        (FieldList{
            {"ID", dbLong}, {"标注内容", dbText}, {"文字高度", dbSingle}, {"文字宽度", dbSingle}, {"说明", dbText}}));
    EXPECT_EQ(Fields("系统尺寸标注表"),
              (FieldList{{"ID", dbLong}, {"内容", dbText}, {"数值", dbSingle}, {"说明", dbText}}));
    EXPECT_EQ(Fields("系统构件图层表"), (FieldList{{"ID", dbLong},
                                                   {"构件类型", dbText},
                                                   {"层名", dbText},
                                                   {"层号", dbText},
                                                   {"颜色", dbText},
                                                   {"线型", dbText},
                                                   {"线宽", dbSingle}}));
    EXPECT_EQ(Fields("用户参数表"),
              (FieldList{{"ID", dbLong}, {"内容", dbText}, {"数值", dbText}, {"类型", dbText}, {"说明", dbText}}));
    EXPECT_EQ(Fields("版本信息表"), (FieldList{{"ID", dbLong}, {"项目", dbText}, {"数值", dbLong}}));

    Recordset rs(db);
    rs.Open("select * from 系统文字标注高宽表 where 标注内容 = '钢筋标注'");
    ASSERT_FALSE(rs.IsEOF());
    EXPECT_EQ(rs.GetFieldValue("文字高度"), Variant::Single(3.5f));
    EXPECT_EQ(rs.GetFieldValue("文字宽度"), Variant::Single(2.45f));
}

TEST_F(SystemLibraryTest, EveryTableIsVersionedAndTheLibraryHasItsDate) {
    std::map<std::string, std::string> versions;
    auto items = Values("版本信息表", "项目");
    auto numbers = Values("版本信息表", "数值");
    for (size_t i = 0; i < items.size(); ++i) versions[items[i]] = numbers[i];
    EXPECT_EQ(versions["版本信息表"], "20261201");
    for (const auto& t : db.GetTableDefs()) EXPECT_EQ(versions.count(t.name), 1u) << t.name;
}

TEST_F(SystemLibraryTest, ContentIsCompleteAndConsistent) {
    auto lineTypes = Values("系统线型表", "线型名称");
    auto patterns = Values("系统线型表", "线型描述");
    EXPECT_EQ(std::count(lineTypes.begin(), lineTypes.end(), "SOLID"), 1);
    EXPECT_EQ(std::count(lineTypes.begin(), lineTypes.end(), "实线"), 0);
    EXPECT_GE(lineTypes.size(), 13u);
    for (size_t i = 0; i < patterns.size(); ++i) {
        EXPECT_EQ(patterns[i].find_first_not_of("0123456789.,-"), std::string::npos) << lineTypes[i];
        if (lineTypes[i] != "SOLID") {
            EXPECT_NE(patterns[i].find(",-"), std::string::npos) << "dash then gap: " << lineTypes[i];
        }
    }

    std::set<std::string> colours;
    for (const auto& f : {"颜色名", "颜色说明"})
        for (auto& c : Values("颜色表", f)) colours.insert(ckw::text::ToUpper(c));
    std::set<std::string> known(lineTypes.begin(), lineTypes.end());
    known.insert("实线");

    auto kinds = Values("系统构件图层表", "构件类型");
    auto layerColours = Values("系统构件图层表", "颜色");
    auto layerTypes = Values("系统构件图层表", "线型");
    auto numbers = Values("系统构件图层表", "层号");
    EXPECT_GE(kinds.size(), 40u);
    EXPECT_EQ(std::count(kinds.begin(), kinds.end(), "图框"), 1);
    EXPECT_EQ(std::set<std::string>(kinds.begin(), kinds.end()).size(), kinds.size()) << "component kinds are keys";
    EXPECT_EQ(std::set<std::string>(numbers.begin(), numbers.end()).size(), numbers.size()) << "one layer per number";
    for (size_t i = 0; i < kinds.size(); ++i) {
        bool number = layerColours[i].find_first_not_of("0123456789") == std::string::npos;
        EXPECT_TRUE(number || colours.count(ckw::text::ToUpper(layerColours[i]))) << kinds[i];
        EXPECT_TRUE(known.count(layerTypes[i])) << kinds[i] << " " << layerTypes[i];
        EXPECT_GT(std::atoi(numbers[i].c_str()), 0) << kinds[i];
    }

    auto textKinds = Values("系统文字标注高宽表", "标注内容");
    for (const char* k :
         {"钢筋标注", "梁编号", "柱编号", "轴线号", "尺寸文字", "图名", "比例", "说明文字", "楼层标高", "表格文字"})
        EXPECT_EQ(std::count(textKinds.begin(), textKinds.end(), k), 1) << k;
}

TEST(SqlScript, FailingScriptLeavesTheOldFileAndNoTemporaryFile) {
    ckw::test::TempDir dir;
    std::string out = (dir.path() / "lib.mdb").string();
    CreateDatabaseFromSql("CREATE TABLE old (x); INSERT INTO old VALUES (1);", out);
    auto before = ReadFile(out);
    try {
        CreateDatabaseFromSql("CREATE TABLE t (x);\n-- a comment\nINSERT INTO nowhere VALUES (1);\n", out);
        FAIL() << "a failing script succeeded";
    } catch (const DaoException& e) {
        EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
    }
    EXPECT_EQ(ReadFile(out), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

}  // namespace
