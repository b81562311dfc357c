// Keeping the user library in step with a newer system library without losing the user's values.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "support/ParaFixture.h"

using ckw::test::ParaFixture;
using ckw::ui::Answer;

namespace {

const char* const kQuestion =
    "系统文件 绘图参数.MDB 版本比 用户绘图参数.MDB 新! \n是否完全更新? 完全更新将覆盖用户修改后的参数!";

class UserLibUpgrade : public ParaFixture {
protected:
    // A user library from an earlier system library at library version `userVersion`, in which the
    // user changed the height of 钢筋标注 and the colour of 红.
    void PrepareUser(long userVersion) {
        WriteSystemLibrary();
        WriteUserLibrary();
        Exec(UserLib(), "UPDATE 版本信息表 SET 数值 = " + std::to_string(userVersion) + " WHERE 项目 = '版本信息表'");
        Exec(UserLib(), "UPDATE 系统文字标注高宽表 SET 文字高度 = 4.5 WHERE 标注内容 = '钢筋标注' AND ID = 1");
        Exec(UserLib(), "UPDATE 颜色表 SET 颜色号 = 11 WHERE 颜色名 = '红'");
    }
    // The system library moves on: a new text row, a new version of the text table.
    void NewerSystem(long libraryVersion) {
        Exec(SystemLib(),
             "UPDATE 版本信息表 SET 数值 = " + std::to_string(libraryVersion) + " WHERE 项目 = '版本信息表'");
        Exec(SystemLib(), "UPDATE 版本信息表 SET 数值 = 2 WHERE 项目 = '系统文字标注高宽表'");
        Exec(SystemLib(), "UPDATE 系统文字标注高宽表 SET 文字宽度 = 3.0 WHERE ID = 1");
        Exec(SystemLib(),
             "INSERT INTO 系统文字标注高宽表 (标注内容, 文字高度, 文字宽度, 说明) VALUES ('图名', 7, 5, 'new')");
    }
    std::string TextHeight(const char* kind) {
        return Scalar(UserLib(), std::string("SELECT 文字高度 FROM 系统文字标注高宽表 WHERE 标注内容 = '") + kind +
                                     "' ORDER BY ID LIMIT 1");
    }
};

}  // namespace

TEST_F(UserLibUpgrade, EqualVersionsChangeNothing) {
    PrepareUser(20260101);
    m_exDrawingPara.Init();
    EXPECT_EQ(TextHeight("钢筋标注"), "4.5");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(UserLibUpgrade, AVersionedTableMissingFromTheUserLibraryIsCopiedBackWithItsVersion) {
    PrepareUser(20260101);
    Exec(UserLib(), "DROP TABLE 颜色表");
    Exec(UserLib(), "DELETE FROM 版本信息表 WHERE 项目 = '颜色表'");
    m_exDrawingPara.Init();
    EXPECT_TRUE(Messages().empty());
    const std::string colours = "SELECT COUNT(*) FROM 颜色表";
    EXPECT_EQ(Scalar(UserLib(), colours), Scalar(SystemLib(), colours));
    const std::string version = "SELECT 数值 FROM 版本信息表 WHERE 项目 = '颜色表'";
    EXPECT_EQ(Scalar(UserLib(), version), Scalar(SystemLib(), version));
    EXPECT_EQ(TextHeight("钢筋标注"), "4.5") << "the user's other tables stay as they are";
}

TEST_F(UserLibUpgrade, OldUserLibraryIsOfferedFullReplacementAndNoMergesTableByTable) {
    PrepareUser(20050101);
    NewerSystem(20260201);
    m_ui.QueueAnswer(Answer::No);
    m_exDrawingPara.Init();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], kQuestion);
    // The merged table: a row the user had keeps the user's values in every column (the system's
    // new width included); the system's new row comes in.
    EXPECT_EQ(TextHeight("钢筋标注"), "4.5");
    EXPECT_EQ(Scalar(UserLib(), "SELECT 文字宽度 FROM 系统文字标注高宽表 WHERE ID = 1"), "2.8");
    EXPECT_EQ(TextHeight("图名"), "7");
    // Unchanged table versions leave the user's tables alone; the version table is now current.
    EXPECT_EQ(Scalar(UserLib(), "SELECT 颜色号 FROM 颜色表 WHERE 颜色名 = '红'"), "11");
    EXPECT_EQ(Scalar(UserLib(), "SELECT 数值 FROM 版本信息表 WHERE 项目 = '版本信息表'"), "20260201");
    EXPECT_EQ(Scalar(UserLib(), "SELECT COUNT(*) FROM sqlite_master WHERE name = 'tmp_table'"), "0");
    float height = 0, width = 0;
    EXPECT_EQ(m_exDrawingPara.GetTextInfo("图名", height, width), 1);

    // The next start finds equal versions and asks nothing.
    m_exDrawingPara.Close();
    m_exDrawingPara.Init();
    EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(UserLibUpgrade, AnsweringYesReplacesTheWholeUserLibrary) {
    PrepareUser(20050101);
    NewerSystem(20260201);
    m_ui.QueueAnswer(Answer::Yes);
    m_exDrawingPara.Init();
    EXPECT_EQ(TextHeight("钢筋标注"), "3.5");
    EXPECT_EQ(Scalar(UserLib(), "SELECT 颜色号 FROM 颜色表 WHERE 颜色名 = '红'"), "1");
}

TEST_F(UserLibUpgrade, UserLibraryFrom20081001OnIsNeverOfferedReplacement) {
    PrepareUser(20081001);
    NewerSystem(20260201);
    m_exDrawingPara.Init();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(TextHeight("钢筋标注"), "4.5");
    EXPECT_EQ(TextHeight("图名"), "7");
}

TEST_F(UserLibUpgrade, TableWithoutUserVersionIsCopiedWhole) {
    PrepareUser(20090101);
    NewerSystem(20260201);
    Exec(UserLib(), "DELETE FROM 版本信息表 WHERE 项目 = '颜色表'");
    m_exDrawingPara.Init();
    EXPECT_EQ(Scalar(UserLib(), "SELECT 颜色号 FROM 颜色表 WHERE 颜色名 = '红'"), "1");
    // The copy keeps the declared types of the system table.
    EXPECT_EQ(Scalar(UserLib(), "SELECT type FROM pragma_table_info('颜色表') WHERE name = '颜色号'"), "LONG");
}

TEST_F(UserLibUpgrade, MergeKeepsUserValueOnlyWhereTheFieldTypeIsUnchanged) {
    PrepareUser(20090101);
    // The system library changes 文字高度 from SINGLE to TEXT.
    std::string sql = ckw::test::SmallSystemLibrarySql();
    std::string single = ckw::text::U8(u8"文字高度 SINGLE");
    sql.replace(sql.find(single), single.size(), ckw::text::U8(u8"文字高度 TEXT"));
    WriteSystemLibrary(sql);
    NewerSystem(20260201);
    m_exDrawingPara.Init();
    EXPECT_EQ(Scalar(UserLib(), "SELECT 文字高度 FROM 系统文字标注高宽表 WHERE ID = 1"), "3.5");
}

TEST_F(UserLibUpgrade, KeyFieldsThatDoNotCorrespondAreReported) {
    PrepareUser(20090101);
    NewerSystem(20260201);
    Exec(SystemLib(), "ALTER TABLE 系统文字标注高宽表 RENAME COLUMN 标注内容 TO 标注项目");
    m_exDrawingPara.Init();
    EXPECT_TRUE(Shown("数据库表系统文字标注高宽表字段名称完全不对应, 请检查!"));
    EXPECT_EQ(Scalar(UserLib(), "SELECT COUNT(*) FROM 系统文字标注高宽表"), "4") << "the system rows";
}

TEST_F(UserLibUpgrade, NewerUserLibraryIsReportedAndLeftAlone) {
    PrepareUser(20300101);
    m_exDrawingPara.Init();
    EXPECT_TRUE(Shown("数据库版本有问题sysVersion<userVersion, 请检查!!"));
    EXPECT_EQ(TextHeight("钢筋标注"), "4.5");
}

TEST_F(UserLibUpgrade, SystemLibraryWithoutVersionTableIsReportedAndNotUpgraded) {
    PrepareUser(20050101);
    Exec(SystemLib(), "DROP TABLE 版本信息表");
    m_exDrawingPara.Init();
    EXPECT_TRUE(Shown("数据库文件没有版本信息表(3078), 请更新文件绘图参数.mdb"));
    EXPECT_EQ(TextHeight("钢筋标注"), "4.5");
    EXPECT_EQ(m_exDrawingPara.GetTextCount(), 3) << "loading goes on";
}

TEST_F(UserLibUpgrade, FailingStatementMidwayLeavesTheTableAsItWas) {
    PrepareUser(20090101);
    NewerSystem(20260201);
    // The merge fails while writing the user's values back into the new rows.
    ckw::dao::SetStatementFailureHook(
        [](std::string_view sql) { return sql.find("UPDATE") != std::string_view::npos; });
    m_exDrawingPara.Init();
    ckw::dao::SetStatementFailureHook({});
    EXPECT_EQ(TextHeight("钢筋标注"), "4.5");
    EXPECT_EQ(Scalar(UserLib(), "SELECT COUNT(*) FROM 系统文字标注高宽表"), "3") << "no new row half-merged";
    EXPECT_EQ(Scalar(UserLib(), "SELECT COUNT(*) FROM sqlite_master WHERE name = 'tmp_table'"), "0");
}

TEST_F(UserLibUpgrade, UpgradeCutShortResumesWithTheTablesLeft) {
    PrepareUser(20090101);
    NewerSystem(20260201);
    Exec(SystemLib(), "UPDATE 版本信息表 SET 数值 = 2 WHERE 项目 = '颜色表'");
    Exec(SystemLib(), "INSERT INTO 颜色表 (颜色名, 颜色号, 颜色说明) VALUES ('紫', 6, 'new')");
    // The colour table's upgrade fails (as a full disk would make it); the text table's succeeds.
    ckw::dao::SetStatementFailureHook([](std::string_view sql) {
        return sql.find("CREATE TABLE") != std::string_view::npos &&
               sql.find(ckw::text::U8(u8"颜色表")) != std::string_view::npos;
    });
    m_exDrawingPara.Init();
    ckw::dao::SetStatementFailureHook({});
    EXPECT_EQ(TextHeight("图名"), "7");
    EXPECT_EQ(Scalar(UserLib(), "SELECT COUNT(*) FROM 颜色表 WHERE 颜色名 = '紫'"), "0");
    EXPECT_EQ(Scalar(UserLib(), "SELECT 数值 FROM 版本信息表 WHERE 项目 = '系统文字标注高宽表'"), "2");
    EXPECT_EQ(Scalar(UserLib(), "SELECT 数值 FROM 版本信息表 WHERE 项目 = '版本信息表'"), "20090101")
        << "the library is not current until every table is";

    m_exDrawingPara.Close();
    m_exDrawingPara.Init();
    EXPECT_EQ(Scalar(UserLib(), "SELECT COUNT(*) FROM 颜色表 WHERE 颜色名 = '紫'"), "1");
    EXPECT_EQ(Scalar(UserLib(), "SELECT 颜色号 FROM 颜色表 WHERE 颜色名 = '红'"), "11");
    EXPECT_EQ(TextHeight("钢筋标注"), "4.5");
    EXPECT_EQ(Scalar(UserLib(), "SELECT 数值 FROM 版本信息表 WHERE 项目 = '版本信息表'"), "20260201");
}

TEST_F(UserLibUpgrade, NoToFullReplacementKeepsTheUserTablesWithoutAVersionTable) {
    PrepareUser(20050101);
    NewerSystem(20260201);
    Exec(UserLib(), "DROP TABLE 版本信息表");
    m_ui.QueueAnswer(Answer::No);
    m_exDrawingPara.Init();
    EXPECT_EQ(Messages()[0], kQuestion);
    EXPECT_EQ(TextHeight("钢筋标注"), "4.5");
    EXPECT_EQ(Scalar(UserLib(), "SELECT 颜色号 FROM 颜色表 WHERE 颜色名 = '红'"), "11");
    EXPECT_EQ(TextHeight("图名"), "7") << "the system's new rows come in";
    EXPECT_EQ(Scalar(UserLib(), "SELECT 数值 FROM 版本信息表 WHERE 项目 = '版本信息表'"), "20260201");
}

TEST_F(UserLibUpgrade, FirstStartCutShortIsDoneAgainAndLeavesNoTemporaryFiles) {
    WriteSystemLibrary();
    Exec(SystemLib(), "UPDATE 系统构件图层表 SET 层名 = 'BEAM' WHERE 构件类型 = '梁'");
    // A start killed earlier left its prepared copy behind.
    pid_t gone = fork();
    if (gone == 0) _exit(0);
    waitpid(gone, nullptr, 0);
    std::filesystem::path stale = UserLib();
    stale += ".tmp" + std::to_string(gone);
    std::ofstream(stale) << "half";
    // The layer rebuild of this first start fails.
    ckw::dao::SetStatementFailureHook(
        [](std::string_view sql) { return sql.find("UPDATE") != std::string_view::npos; });
    m_exDrawingPara.Init();
    ckw::dao::SetStatementFailureHook({});
    EXPECT_FALSE(std::filesystem::exists(UserLib())) << "no user library with the system's layer names";
    EXPECT_FALSE(std::filesystem::exists(stale));

    m_exDrawingPara.Close();
    m_exDrawingPara.Init();
    ASSERT_TRUE(std::filesystem::exists(UserLib()));
    EXPECT_EQ(Scalar(UserLib(), "SELECT 层名 FROM 系统构件图层表 WHERE 构件类型 = '梁'"), "梁");
    EXPECT_EQ(m_exDrawingPara.GetDrawingKind05(), 2005);
    for (const auto& entry : std::filesystem::directory_iterator(m_cfg))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}
