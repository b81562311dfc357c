// The layer settings and the layer text exchange played through scripts.
#include <gtest/gtest.h>

#include <fstream>

#include <ckw/SettingsDialogs.h>
#include "settings/LayerDialog.h"
#include "settings/LayerText.h"
#include "settings/SettingsFixture.h"

using ckw::dlg::ScriptSession;
using ckw::settings::LayerDialog;
using ckw::test::SettingsFixture;

namespace {

class LayerDialogTest : public SettingsFixture {
protected:
    int Run(const std::u8string& script, const CStringArray& types = {}) {
        m_session = std::make_unique<ScriptSession>(Script(script));
        LayerDialog dialog(types, m_paths);
        return dialog.DoModal();
    }
    std::unique_ptr<ScriptSession> m_session;
};

CStringArray Types(std::initializer_list<const char*> names) {
    CStringArray types;
    for (const char* name : names) types.Add(name);
    return types;
}

}  // namespace

TEST_F(LayerDialogTest, FillShowsEveryLayerWithColoursLineTypesAndLockedColumns) {
    // Colour texts: "red" is the description of 红 (1) and the name of the later "Red" (99): the
    // last match wins; "yellow " matches 黄 without its blank; "7" names no colour; "绿" gives 0.
    EXPECT_EQ(Run(u8R"(
dialog 2005
expect rows 5
expect cols 7
expect cell 0 5 线型
expect cell 2 1 Column
expect cell 2 3 柱
expect cell 1 6 0.35
expect backcolor 1 4 #636363
expect backcolor 2 4 #020202
expect backcolor 3 4 #070707
expect backcolor 4 4 #000000
expect cell 1 5 "虚线 __ __ __"
expect textcolor 1 5 #636363
expect cell 2 5 实线
expect cell 4 5 实线
expect editable 1 1 no
expect editable 1 2 no
expect editable 1 3 yes
expect editable 1 4 no
expect editable 1 5 no
expect editable 1 6 yes
expect width 0 40
expect width 2 60
expect width 1 115
expect width 5 190
)"),
              ckw::dlg::IDCANCEL);
    EXPECT_SCRIPT_PLAYED(*m_session);
}

TEST_F(LayerDialogTest, ColourFifteenShowsItsLineTypeInColourSeven) {
    Exec(UserLib(), Gbk(u8"UPDATE 系统构件图层表 SET 颜色 = '15' WHERE 构件类型 = '梁'"));
    Run(u8"expect backcolor 1 4 #0F0F0F\nexpect textcolor 1 5 #070707\n");
    EXPECT_SCRIPT_PLAYED(*m_session);
}

TEST_F(LayerDialogTest, NameWidthAndPickedColourAreSavedOnOk) {
    EXPECT_EQ(Run(u8R"(
cell 1 3 Beam
cell 1 6 0.5
colour 2 4 #030303
expect textcolor 2 5 #030303
ok
)"),
              ckw::dlg::IDOK);
    EXPECT_SCRIPT_PLAYED(*m_session);
    EXPECT_EQ(Column(u8"系统构件图层表", u8"层名"), Gbk(u8"Beam|柱|轴线|图框"));
    EXPECT_EQ(Column(u8"系统构件图层表", u8"round(线宽, 2)"), "0.5|0.5|0.18|0.7");
    EXPECT_EQ(Column(u8"系统构件图层表", u8"颜色"), Gbk(u8"red|3|7|绿")) << "no colour is number 3: its number";
    EXPECT_EQ(Column(u8"系统构件图层表", u8"层号"), "3|4|1|x9") << "layer numbers are never written";
}

TEST_F(LayerDialogTest, ShownTypesFindTheirRecordsDespiteTrailingBlanks) {
    EXPECT_EQ(Run(u8R"(
expect rows 3
expect cell 1 3 柱
expect cell 2 3 ""
expect editable 2 3 no
cell 1 3 立柱
ok
)",
                  Types({"Column  ", "未知"})),
              ckw::dlg::IDOK);
    EXPECT_SCRIPT_PLAYED(*m_session);
    EXPECT_EQ(Column(u8"系统构件图层表", u8"层名"), Gbk(u8"梁|立柱|轴线|图框"));
    EXPECT_TRUE(m_session->Messages().empty());
}

TEST_F(LayerDialogTest, TheLineTypeCellOpensThePickerAndTakesThePickedName) {
    EXPECT_EQ(Run(u8R"(
select 1 5
dialog 2003
select 5 1
ok
dialog 2005
expect cell 1 5 "copy of 虚线 under another name"
ok
)"),
              ckw::dlg::IDOK);
    EXPECT_SCRIPT_PLAYED(*m_session);
    EXPECT_EQ(Column(u8"系统构件图层表", u8"线型"), Gbk(u8"DASHED|Solid|点划线|不存在"));
}

TEST_F(LayerDialogTest, InitialisationFromTheSystemLibraryAsksForTheNameFormat) {
    Exec(UserLib(), Gbk(u8"UPDATE 系统构件图层表 SET 层名 = 'x', 颜色 = 'y'"));
    EXPECT_EQ(Run(u8R"(
click 初始化系统设置...
dialog 2012
expect caption KELO图层设置
expect text 2012 选择图层层名格式
expect radio 2009 on
radio 2010
ok
expect cell 2 3 柱
click 2011
radio 中文
ok
expect cell 2 3 Column
click 2011
cancel
cancel
)"),
              ckw::dlg::IDCANCEL);
    EXPECT_SCRIPT_PLAYED(*m_session);
    EXPECT_EQ(Column(u8"系统构件图层表", u8"层名"), Gbk(u8"梁|Column|轴线|图框"));
    EXPECT_EQ(Column(u8"系统构件图层表", u8"颜色"), Gbk(u8"red|yellow |7|绿"));
}

TEST_F(LayerDialogTest, ARowWithoutRecordIsReportedOnSaveAndTheOthersAreWritten) {
    ckw::dlg::DialogScript script = Script(u8"cell 1 3 Beam\n");
    script.Call([this](ckw::dlg::Dialog&) {
        Exec(UserLib(), Gbk(u8"INSERT INTO 系统构件图层表 (构件类型, 层名) VALUES ('新构件', 'n')"));
    });
    script.Add(ckw::text::U8(u8"ok\n"));
    m_session = std::make_unique<ScriptSession>(std::move(script));
    LayerDialog dialog(CStringArray{}, m_paths);
    EXPECT_EQ(dialog.DoModal(), ckw::dlg::IDOK);
    EXPECT_SCRIPT_PLAYED(*m_session);
    EXPECT_EQ(m_session->Messages(), std::vector<std::string>{"数据库数据有误!!"});
    EXPECT_EQ(Column(u8"系统构件图层表", u8"层名"), Gbk(u8"Beam|柱|轴线|图框|n"));
}

TEST_F(LayerDialogTest, ExportWritesTheTableAndImportRewritesItFromTheEditedFile) {
    const std::filesystem::path text = m_cfg / ckw::text::U8(u8"用户构件图层表.txt");
    ckw::dlg::DialogScript script = Script(u8"rightclick 1 1\nmenu 数据导出->TXT\n");
    script.Call([&](ckw::dlg::Dialog&) {
        std::ifstream in(text, std::ios::binary);
        std::string first;
        std::getline(in, first);
        char expected[256];
        std::snprintf(expected, sizeof expected, "%-30s %-30s %-10s %-20s %-20s %-10.2f", "梁", "梁", "3", "red",
                      "虚线", 0.35);
        EXPECT_EQ(first, expected);
        std::ofstream out(text, std::ios::binary | std::ios::trunc);
        out << Gbk(u8"梁 主梁 3 红 虚线 0.4\n") << "short\n\n"
            << Gbk(u8"柱 柱 4 黄 实线\n") << std::string(500, 'x') << Gbk(u8" 长 5 白 实线 1\n")
            << Gbk(u8"墙 墙体 8 白 实线 abc\n");
    });
    script.Add(ckw::text::U8(u8"rightclick 1 1\nmenu 数据导入TXT->LIB\nexpect rows 4\ncancel\n"));
    m_session = std::make_unique<ScriptSession>(std::move(script));
    LayerDialog dialog(Types({"梁"}), m_paths);
    dialog.DoModal();
    EXPECT_SCRIPT_PLAYED(*m_session);
    ASSERT_EQ(m_launcher.started.size(), 1u) << "the text file is shown in an editor";
    EXPECT_EQ(m_launcher.started[0].back(), text.string());
    // The five-word line and the short ones are skipped; a long line is read whole; a width that
    // is no number reads as 0.
    EXPECT_EQ(Column(u8"系统构件图层表", u8"构件类型"), Gbk(u8"梁|") + std::string(500, 'x') + Gbk(u8"|墙"));
    EXPECT_EQ(Column(u8"系统构件图层表", u8"层名 || 颜色 || round(线宽, 2)"), Gbk(u8"主梁红0.4|长白1.0|墙体白0.0"));
}

TEST_F(LayerDialogTest, ExportThenImportKeepsTheTable) {
    const std::string before =
        Column(u8"系统构件图层表", u8"构件类型 || 层名 || 层号 || rtrim(颜色) || 线型 || round(线宽, 2)");
    Run(u8"rightclick 1 1\nmenu 数据导出->TXT\nrightclick 1 1\nmenu 数据导入TXT->LIB\nok\n");
    EXPECT_SCRIPT_PLAYED(*m_session);
    EXPECT_EQ(Column(u8"系统构件图层表", u8"构件类型 || 层名 || 层号 || rtrim(颜色) || 线型 || round(线宽, 2)"),
              before);
}

TEST_F(LayerDialogTest, KwSetLayerRefreshesTheLoadedLayersOnOk) {
    m_exDrawingPara.Init();
    ScriptSession session(Script(u8"cell 1 3 主梁\nok\n"));
    CStringArray types = Types({"梁"});
    EXPECT_EQ(kwSetLayer(types), 1);
    EXPECT_SCRIPT_PLAYED(session);
    char name[100] = {};
    int number = 0, colour = 0, lineType = 0;
    float width = 0;
    ASSERT_EQ(m_exDrawingPara.GetLayerInfo("梁", name, number, colour, lineType, width), 1);
    EXPECT_STREQ(name, "主梁");
}

TEST(LayerText, LinesShorterThanTenCharactersOrWithFewerThanSixWordsAreSkipped) {
    std::istringstream in("a b c d e\nkind  name 1 2 3 4.5\r\none two three four five\nabcdefghi");
    auto rows = ckw::settings::ReadLayerText(in);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_STREQ(rows[0].GetComponentKind(), "kind");
    EXPECT_FLOAT_EQ(rows[0].GetLineWidth(), 4.5f);
}

TEST(LayerText, ALineHoldingANulByteIsSkipped) {
    // Its words would be cut at the NUL, and a layer without a name would reach the library.
    std::istringstream in(std::string("kind \0\0 1 2 3 4.5\nkind name 1 2 3 4.5\n", 38));
    auto rows = ckw::settings::ReadLayerText(in);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_STREQ(rows[0].GetLayerName(), "name");
}
