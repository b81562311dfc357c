// The line-type settings played through scripts on a temporary user library.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <ckw/SettingsDialogs.h>
#include "dao/Dao.h"
#include "settings/LineTypeDialog.h"
#include "settings/SettingsFixture.h"

using ckw::dlg::ScriptSession;
using ckw::settings::LineTypeDialog;
using ckw::test::SettingsFixture;

namespace {
class LineTypeDialogTest : public SettingsFixture {};
}  // namespace

TEST_F(LineTypeDialogTest, FillShowsOneSolidLineLockedAndLaysOutColumns) {
    ScriptSession session(
        Script(u8R"(
dialog 2003
expect caption 线型设置
expect rows 7
expect cell 0 1 线型名称
expect cell 1 1 实线
expect cell 1 2 0,0
expect cell 3 1 solid
expect editable 1 1 no
expect editable 1 2 no
expect editable 2 1 yes
expect editable 2 2 yes
expect editable 2 3 no
expect width 0 40
expect width 1 143
expect width 2 216
expect width 3 216
)"));
    LineTypeDialog dialog(m_paths);
    EXPECT_EQ(dialog.DoModal(), ckw::dlg::IDCANCEL) << "a used-up script ends the dialog as Cancel";
    EXPECT_SCRIPT_PLAYED(session);
    EXPECT_EQ(dialog.Grid(2000).GridGetCellText(1, 3), CString("实线 ________"));
}

TEST_F(LineTypeDialogTest, EditsAreNormalisedDescribedAndSavedOnOk) {
    const std::string before = Column(u8"系统线型表", u8"线型名称");
    ScriptSession session(
        Script(u8R"(
cell 2 2 12.5,-3,0
expect cell 2 3 "虚线 ______  .______  ."
cell 3 2 1.500
click 增加表行
expect rows 8
expect cell 7 1 线型7
select 2 1
ok
)"));
    LineTypeDialog dialog(m_paths);
    EXPECT_EQ(dialog.DoModal(), ckw::dlg::IDOK);
    EXPECT_SCRIPT_PLAYED(session);
    EXPECT_EQ(dialog.SelectedName(), "虚线");
    EXPECT_TRUE(dialog.Records().empty()) << "the list is emptied on OK";
    // The solid line is stored as row 1; the added row without data is not stored.
    EXPECT_EQ(Column(u8"系统线型表", u8"线型名称"), Gbk(u8"实线|虚线|solid|点划线|DASHED|长线"));
    EXPECT_EQ(Column(u8"系统线型表", u8"线型描述"), "0,0|12.5,-3,0|1.5|12,-3,2,-3,|6,-3|1,2,3,4,5,6,7,8,9,10");
}

TEST_F(LineTypeDialogTest, DeleteSparesTheSolidLineAndTheMenuDeletesTheClickedRow) {
    ScriptSession session(
        Script(u8R"(
click 删除表行
select 1 1
click 删除表行
expect rows 7
rightclick 3 1
menu 删除表行
expect rows 6
expect cell 3 1 点划线
select 2 1
click 删除表行
expect cell 2 1 点划线
cancel
)"));
    const std::string before = Column(u8"系统线型表", u8"线型名称");
    LineTypeDialog dialog(m_paths);
    EXPECT_EQ(dialog.DoModal(), ckw::dlg::IDCANCEL);
    EXPECT_SCRIPT_PLAYED(session);
    EXPECT_EQ(Column(u8"系统线型表", u8"线型名称"), before) << "Cancel writes nothing";
}

TEST_F(LineTypeDialogTest, ImportsTheSimpleLineTypesOfARealLinFile) {
    const std::string lin = std::string(CKW_TEST_DATA_DIR) + "/lin/qcad_qcadiso.lin";
    ScriptSession session(Script(u8"rightclick 1 1\nmenu 导入AutoCad线型\nfile \"" +
                                 std::u8string(lin.begin(), lin.end()) + u8"\"\n" + u8R"(
expect rows 45
expect cell 7 1 BORDER
expect cell 7 2 12.7,-6.35,12.7,-6.35,0,-6.35
ok
)"));
    LineTypeDialog dialog(m_paths);
    EXPECT_EQ(dialog.DoModal(), ckw::dlg::IDOK);
    EXPECT_SCRIPT_PLAYED(session);
    EXPECT_EQ(session.Runner().Requests(), (std::vector<std::string>{"menu 1013", "file"}));
    EXPECT_EQ(Scalar(UserLib(), "SELECT count(*) FROM 系统线型表"), "44");
    EXPECT_EQ(Scalar(UserLib(), "SELECT count(*) FROM 系统线型表 WHERE 线型名称 LIKE 'FENCELINE%'"), "0")
        << "complex line types with shapes in brackets are skipped";
    EXPECT_EQ(Scalar(UserLib(), "SELECT 线型说明 FROM 系统线型表 WHERE 线型名称 = 'DOT'"), "DOT .    .    ");
}

TEST_F(LineTypeDialogTest, AnImportThatGivesNothingSaysSoAndChangesNothing) {
    const std::filesystem::path complexOnly = m_cfg / "complex.lin";
    std::ofstream(complexOnly) << "*FENCE,fence ---o---\nA,.25,-.1,[CIRC1,ltypeshp.shx,x=-.1,s=.1],-.1,1\n";
    const std::string complexPath = complexOnly.string();
    const std::string missingPath = (m_cfg / "missing.lin").string();
    for (const std::string& path : {missingPath, complexPath}) {
        ScriptSession session(Script(u8"rightclick 1 1\nmenu 导入AutoCad线型\nfile \"" +
                                     std::u8string(path.begin(), path.end()) + u8"\"\nexpect rows 7\ncancel\n"));
        LineTypeDialog dialog(m_paths);
        EXPECT_EQ(dialog.DoModal(), ckw::dlg::IDCANCEL);
        EXPECT_SCRIPT_PLAYED(session);
        ASSERT_EQ(session.Messages().size(), 1u) << path;
        EXPECT_NE(session.Messages()[0].find(ckw::text::Utf8ToGbk(path)), std::string::npos)
            << "the message names the file";
    }
}

TEST_F(LineTypeDialogTest, AFailedSaveLeavesTheTableAndKeepsTheDialogOpen) {
    const std::string before = Column(u8"系统线型表", u8"线型描述");
    ckw::dao::SetStatementFailureHook(
        [](std::string_view sql) { return sql.find("INSERT") != std::string_view::npos; });
    ScriptSession session(
        Script(u8R"(
cell 2 2 9,-9
ok
expect rows 7
cancel
)"));
    LineTypeDialog dialog(m_paths);
    EXPECT_EQ(dialog.DoModal(), ckw::dlg::IDCANCEL);
    ckw::dao::SetStatementFailureHook({});
    EXPECT_SCRIPT_PLAYED(session);
    EXPECT_EQ(session.Messages().size(), 1u) << "the database's description of the failure";
    EXPECT_EQ(Column(u8"系统线型表", u8"线型描述"), before) << "the delete before the failed insert is rolled back";
}

TEST_F(LineTypeDialogTest, MissingLibraryIsReportedAndAccessEditOpensTheFile) {
    ScriptSession session(
        Script(u8R"(
answer ok 没有找到系统文件
expect rows 1
rightclick 0 1
menu Access修改
answer ok "请修改数据库文件 '用户绘图参数.mdb' 中 '系统线型表'"
)"));
    std::filesystem::remove(UserLib());
    LineTypeDialog dialog(m_paths);
    dialog.DoModal();
    EXPECT_SCRIPT_PLAYED(session);
    ASSERT_EQ(m_launcher.started.size(), 1u);
    EXPECT_EQ(m_launcher.started[0].front(), "xdg-open");
    EXPECT_EQ(m_launcher.started[0].back(), UserLib().string());
}

TEST_F(LineTypeDialogTest, KwSetLineTypeReloadsTheLibraryAfterTheDialog) {
    m_exDrawingPara.Init();
    ScriptSession session(Script(u8"cell 2 2 7,-7\nok\n"));
    kwSetLineType();
    EXPECT_SCRIPT_PLAYED(session);
    EXPECT_STREQ(m_exDrawingPara.GetLineTypeAt(1)->GetLineTypeData(), "7,-7");
}
