// Text and dimension sizes, user parameters and the drawing mode, played through scripts.
#include <gtest/gtest.h>

#include <ckw/FortranInterface.h>
#include <ckw/SettingsDialogs.h>
#include "settings/SettingsFixture.h"
#include "settings/TextSizeDialog.h"
#include "settings/UserParaDialog.h"
#include "drawpara/LibraryStep.h"

using ckw::dlg::ScriptSession;
using ckw::test::SettingsFixture;

namespace {
class SizeDialogs : public SettingsFixture {};
const char8_t* const kHeights = u8"group_concat(round(文字高度, 2), '|') FROM 系统文字标注高宽表";
}  // namespace

TEST_F(SizeDialogs, TextTabShowsDescriptionsAndEditsSurviveATabChange) {
    const std::string before = Scalar(UserLib(), Gbk(std::u8string(u8"SELECT ") + kHeights));
    ScriptSession session(
        Script(u8R"(
dialog 2006
expect tab 1208 0
expect rows 4
expect cell 0 1 标注类型
expect cell 1 1 "钢筋标注：bar marks"
expect cell 2 2 5.00
expect editable 1 1 no
expect editable 2 2 yes
expect backcolor 1 1 #C0C0C0
expect width 1 184
cell 2 2 6
tab 1208 1
expect cols 3
expect cell 1 1 "箭头大小：arrow"
expect cell 1 2 1.50
cell 2 2 0.9
tab 1208 0
expect cell 2 2 6.00
tab 1208 1
expect cell 2 2 0.90
cancel
)"));
    ckw::settings::TextSizeDialog dialog(m_paths);
    EXPECT_EQ(dialog.DoModal(), ckw::dlg::IDCANCEL);
    EXPECT_SCRIPT_PLAYED(session);
    EXPECT_EQ(Scalar(UserLib(), Gbk(std::u8string(u8"SELECT ") + kHeights)), before) << "Cancel writes nothing";
}

TEST_F(SizeDialogs, OkWritesBothTablesAndTheLaterOfTwoEqualKindsWins) {
    ScriptSession session(
        Script(u8R"(
cell 1 2 4
cell 3 2 7
cell 2 3 abc
tab 1208 1
cell 1 2 2.25
ok
)"));
    ckw::settings::TextSizeDialog dialog(m_paths);
    EXPECT_EQ(dialog.DoModal(), ckw::dlg::IDOK);
    EXPECT_SCRIPT_PLAYED(session);
    EXPECT_EQ(Scalar(UserLib(), Gbk(std::u8string(u8"SELECT ") + kHeights)), "7.0|5.0|7.0");
    EXPECT_EQ(Column(u8"系统文字标注高宽表", u8"round(文字宽度, 2)"), "9.0|0.0|9.0")
        << "text that is no number saves 0";
    EXPECT_EQ(Column(u8"系统尺寸标注表", u8"round(数值, 2)"), "2.25|0.8");
}

TEST_F(SizeDialogs, ReloadShowsTheStoredValuesAndAKeyWithTrailingBlanksIsReported) {
    ckw::dlg::DialogScript script = Script(u8"cell 2 2 6\nclick 初始化\nexpect cell 2 2 5.00\ncell 3 2 4\n");
    script.Call([this](ckw::dlg::Dialog&) {
        Exec(UserLib(), Gbk(u8"UPDATE 系统文字标注高宽表 SET 标注内容 = 'Beam No ' WHERE 标注内容 = 'Beam No'"));
    });
    script.Add(ckw::text::U8(u8"ok\nanswer ok 数据库数据有误!!\n"));
    ScriptSession session(std::move(script));
    ckw::settings::TextSizeDialog dialog(m_paths);
    EXPECT_EQ(dialog.DoModal(), ckw::dlg::IDOK);
    EXPECT_SCRIPT_PLAYED(session);
    EXPECT_EQ(Scalar(UserLib(), Gbk(std::u8string(u8"SELECT ") + kHeights)), "4.0|5.0|4.0");
}

TEST_F(SizeDialogs, UserParametersAreStoredAsTypedTextOrChosenGrades) {
    ScriptSession session(
        Script(u8R"(
dialog 2010
expect caption 用户参数表
expect rows 3
expect cell 0 2 数值
expect cell 1 1 cover
expect cell 2 2 HRB400
expect editable 1 1 no
expect width 2 128
expect editable 2 2 no
choose 2 2 HRB500
cell 1 2 2.50
ok
)"));
    ckw::settings::UserParaDialog dialog(Gbk(u8"用户参数表"), m_paths);
    EXPECT_EQ(dialog.DoModal(), ckw::dlg::IDOK);
    EXPECT_SCRIPT_PLAYED(session);
    EXPECT_EQ(Column(u8"用户参数表", u8"数值"), Gbk(u8"2.50|HRB500"));
    EXPECT_EQ(dialog.Item(2000).GetRect(), (ckw::dlg::Rect{12, 15, 448, 15 + 22 * 5})) << "as high as the rows need";
}

TEST_F(SizeDialogs, UserParametersAreCheckedByKindAndGradesOfferTheirLists) {
    Exec(UserLib(), Gbk(u8"INSERT INTO 用户参数表 (内容, 数值, 类型, 说明) VALUES ('箍筋肢数', '2', '整数', 'legs'), "
                        u8"('最小配筋率', '0.2', '实数', 'ratio'), ('混凝土强度等级', 'C30', '文本', 'concrete'), "
                        u8"('抗震等级', '特一', '整数', 'seismic')"));
    ScriptSession session(
        Script(u8R"(
expect rows 7
cell 3 2 abc
ok
answer ok 箍筋肢数的数值“abc”不是整数!!
cell 3 2 " 4 "
cell 4 2 1e999
ok
answer ok 最小配筋率的数值“1e999”不是数!!
cell 4 2 0.25
choose 5 2 C35
choose 6 2 特一
ok
answer ok 抗震等级的数值“特一”不是整数!!
choose 6 2 2
ok
)"));
    ckw::settings::UserParaDialog dialog(Gbk(u8"用户参数表"), m_paths);
    EXPECT_EQ(dialog.DoModal(), ckw::dlg::IDOK);
    EXPECT_SCRIPT_PLAYED(session);
    EXPECT_EQ(Column(u8"用户参数表", u8"数值"), Gbk(u8"25|HRB400| 4 |0.25|C35|2"))
        << "a stored value outside the list stays offered; refused values are never written";
}

TEST_F(SizeDialogs, UserParameterReloadCancelAndOddTableNames) {
    ScriptSession session(
        Script(u8"cell 1 2 30\nclick 初始化\nexpect cell 1 2 25\ncell 1 2 31\ncancel\n"
               u8"expect caption 绘图参数设置\nexpect rows 1\nok\n"));
    ckw::settings::UserParaDialog dialog(Gbk(u8"用户参数表"), m_paths);
    EXPECT_EQ(dialog.DoModal(), ckw::dlg::IDCANCEL);
    EXPECT_EQ(Column(u8"用户参数表", u8"数值"), "25|HRB400");
    // A name that is no table: nothing read, nothing shown, nothing else touched.
    ckw::settings::UserParaDialog odd("", m_paths);
    EXPECT_EQ(odd.DoModal(), ckw::dlg::IDOK);
    ckw::settings::UserParaDialog injected(Gbk(u8"用户参数表; DROP TABLE 颜色表"), m_paths);
    injected.DoModal();
    EXPECT_SCRIPT_PLAYED(session);
    EXPECT_EQ(Scalar(UserLib(), Gbk(u8"SELECT count(*) FROM 颜色表")), "4");
}

TEST_F(SizeDialogs, KwSetUserParaReadsTheTableAgainAfterOk) {
    m_exDrawingPara.Init();
    ScriptSession session(Script(u8"cell 1 2 40\nok\n"));
    kwSetUserPara(Gbk(u8"用户参数表").c_str());
    EXPECT_SCRIPT_PLAYED(session);
    ASSERT_EQ(m_exDrawingPara.GetUserParaCount(), 2);
    EXPECT_STREQ(m_exDrawingPara.GetUserParaAt(0)->GetParaValue(), "40");
}

TEST_F(SizeDialogs, DrawingModeDialogPreselectsModelSpaceAndStoresTheChoice) {
    ScriptSession session(
        Script(u8R"(
dialog 2012
expect caption KELO绘图参数
expect text 2012 选择施工图模式
expect text 2009 图纸空间模式
expect radio 2010 on
radio 2009
ok
expect radio 2009 on
cancel
)"));
    EXPECT_EQ(GetDrawingKind05(), 2008);
    SetDrawingKind05_08();
    EXPECT_EQ(GetDrawingKind05(), 2005);
    SetDrawingKind05_08();
    EXPECT_SCRIPT_PLAYED(session);
    EXPECT_EQ(GetDrawingKind05(), 2005) << "Cancel stores nothing";
}

TEST_F(SizeDialogs, WithoutAScriptEveryDialogEndsAsCancel) {
    ScriptSession session;
    EXPECT_EQ(ckw::settings::TextSizeDialog(m_paths).DoModal(), ckw::dlg::IDCANCEL);
    CStringArray none;
    EXPECT_EQ(kwSetLayer(none), 2);
    SetDrawingKind05_08();
    EXPECT_EQ(GetDrawingKind05(), 2008);
    EXPECT_SCRIPT_PLAYED(session);
}

TEST_F(SizeDialogs, SaveWritesOnlyWhatTheUserChangedAndAFailedSaveIsCounted) {
    // Another program saves the grade while this dialog is open: its edit stays.
    bool otherSaved = false;
    ckw::dao::SetStatementFailureHook([&](std::string_view sql) {
        if (!otherSaved && sql.starts_with("BEGIN")) {
            otherSaved = true;
            Exec(UserLib(), Gbk(u8"UPDATE 用户参数表 SET 数值 = 'HRB500' WHERE 内容 = '钢筋等级'"));
        }
        return false;
    });
    {
        ScriptSession session(Script(u8"cell 1 2 30\nok\n"));
        ckw::settings::UserParaDialog dialog(Gbk(u8"用户参数表"), m_paths);
        EXPECT_EQ(dialog.DoModal(), ckw::dlg::IDOK);
    }
    EXPECT_EQ(Column(u8"用户参数表", u8"数值"), Gbk(u8"30|HRB500"));

    // A save the database refuses keeps the dialog open and is counted as a failed write.
    const int failedBefore = ckw::drawpara::FailedWrites();
    ckw::dao::SetStatementFailureHook([](std::string_view sql) { return sql.starts_with("UPDATE"); });
    ScriptSession session(Script(u8"cell 1 2 35\nok\ncancel\n"));
    ckw::settings::UserParaDialog dialog(Gbk(u8"用户参数表"), m_paths);
    EXPECT_EQ(dialog.DoModal(), ckw::dlg::IDCANCEL);
    ckw::dao::SetStatementFailureHook({});
    EXPECT_EQ(ckw::drawpara::FailedWrites(), failedBefore + 1);
    EXPECT_EQ(Column(u8"用户参数表", u8"数值"), Gbk(u8"30|HRB500"));
}
