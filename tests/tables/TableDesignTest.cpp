// The table designer played by a dialog script: a schedule designed, saved, drawn at the picked
// point and opened again; an interrupted edit taken up again; damaged files not overwritten.
#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>

#include <ckw/Util.h>
#include "dialog/DialogHeadless.h"
#include "base/GbkText.h"
#include "tables/TablesFixture.h"
#include "tables/TdbFile.h"
#include "registry/Registry.h"

namespace ckw::test {
namespace {

using tables::UserTable;

class TableDesign : public TablesFixture {
protected:
    std::filesystem::path TableFile() const { return m_cfg / "TableData1.TDB"; }
    std::filesystem::path WorkingCopy() const { return m_cfg / "$tmpTdb.TDB"; }
    static std::string Gbk(const std::filesystem::path& p) { return ckw::text::Utf8ToGbk(p.string()); }
    static dlg::DialogScript Steps(std::u8string_view utf8, const std::string& moreUtf8 = {}) {
        return dlg::DialogScript::Parse(ckw::text::U8(utf8) + moreUtf8);
    }

    // Runs UserTableDesign under the dialog script; the script must be used up without error.
    int Design(dlg::DialogScript script) {
        dlg::ScriptSession session(std::move(script));
        const int result = CUtil().UserTableDesign();
        EXPECT_TRUE(session.Succeeded()) << session.Report();
        m_shown = session.Messages();
        return result;
    }
    UserTable Saved(const std::filesystem::path& file) {
        UserTable table;
        {
            const ckw::Status done = tables::LoadTdbFile(Gbk(file), table);
            EXPECT_TRUE(done.ok()) << ckw::text::GbkToUtf8(done.why());
        }
        return table;
    }

    std::vector<std::string> m_shown;
};

TEST_F(TableDesign, AScheduleIsDesignedSavedDrawnAndReopened) {
    m_exDrawingPara.SetDrawingScale(50);
    Script("point 1000 2000\n");
    auto script = Steps(
        u8R"(
dialog 2020
click 数据初始化
edit 2050 3
edit 2051 2
edit 2052 25
edit 2053 10
ok
cell 1 1 柱号
cell 2 1 KZ1
select 1 1
click 向右合并
expect backcolor 1 2 #E0E0E0
select 3 1
click 插入行
expect rows 5
select 4 1
click 行上移
click 行上移
expect cell 3 1 KZ1
select 2 2
click 数据
edit 2054 600×600
edit 2055 5
combo 2057 0
checkbox 下边线 off
ok
expect cell 2 2 600×600
)");
    // Every change is kept in the working copy while the designer is open.
    script.Call([this](dlg::Dialog&) { EXPECT_EQ(Saved(WorkingCopy()).Cell(1, 1).text, "600×600"); });
    script.Add("ok\n");
    EXPECT_EQ(Design(std::move(script)), 1);

    EXPECT_FALSE(std::filesystem::exists(WorkingCopy())) << "OK removes the working copy";
    const UserTable table = Saved(TableFile());
    ASSERT_EQ(table.Rows(), 4);
    ASSERT_EQ(table.Cols(), 2);
    EXPECT_EQ(table.Cell(0, 0).text, "柱号");
    EXPECT_EQ(table.Cell(0, 0).colSpan, 2);
    EXPECT_TRUE(table.Cell(0, 1).Covered());
    const auto& cell = table.Cell(1, 1);
    EXPECT_EQ(cell.textHeightTenths, 50);
    EXPECT_EQ(cell.alignment, 1);
    EXPECT_EQ(cell.borders & tables::kBottom, 0);
    EXPECT_EQ(table.Cell(2, 1).borders & tables::kTop, 0) << "the cell below agrees";
    EXPECT_EQ(table.ColWidth(1), 25);

    // Placed by its top-left corner at the drawing scale.
    EXPECT_EQ(eng.PromptLine(), "请选择表格的插入点");
    std::vector<std::string> texts;
    for (const auto& e : TextsDrawn()) texts.push_back(e.text);
    EXPECT_THAT(texts, testing::UnorderedElementsAre("柱号", "KZ1", "600×600"));
    for (const auto& e : TextsDrawn()) {
        if (e.text != "柱号") continue;
        EXPECT_THAT(std::vector<float>(e.values.begin() + 2, e.values.begin() + 4),
                    testing::ElementsAre(1000 + 25 * 50, 2000 - 5 * 50));
    }

    // Opened again, the designer shows what was saved.
    EXPECT_EQ(Design(Steps(u8"expect cell 1 1 柱号\nexpect cell 2 2 600×600\ncancel\n")), 0);
    EXPECT_EQ(Saved(TableFile()), table);
}

TEST_F(TableDesign, AnInterruptedEditIsTakenUpAgain) {
    UserTable interrupted(2, 2, 20, 8);
    interrupted.Cell(1, 1).text = "未保存";
    ASSERT_TRUE(tables::SaveTdbFile(Gbk(WorkingCopy()), interrupted).ok());

    // Declined (and by a batch run without a user): the working copy stays.
    EXPECT_EQ(Design(Steps(u8"answer no\ncancel\n")), 0);
    EXPECT_TRUE(std::filesystem::exists(WorkingCopy()));
    EXPECT_EQ(Design({}), 0);
    EXPECT_TRUE(std::filesystem::exists(WorkingCopy()));

    Script("esc\n");
    EXPECT_EQ(Design(Steps(u8"answer yes 是否恢复\nexpect cell 2 2 未保存\nok\n")), 0) << "[Esc] draws nothing";
    EXPECT_EQ(Saved(TableFile()), interrupted);
    EXPECT_FALSE(std::filesystem::exists(WorkingCopy()));
}

TEST_F(TableDesign, ADamagedTableFileIsReportedAndNotOverwrittenUnasked) {
    { std::ofstream(TableFile()) << "10000 10000\n"; }
    EXPECT_EQ(Design(Steps(u8"click 确认\nanswer no\ncancel\n")), 0);
    ASSERT_FALSE(m_shown.empty());
    EXPECT_NE(m_shown[0].find("10000行10000列"), std::string::npos);
    std::ifstream in(TableFile());
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "10000 10000");
}

TEST_F(TableDesign, WithoutARecordedConfigurationItStopsAfterTheLookupsMessage) {
    const auto root = m_home.root();
    std::filesystem::remove(root / "etc-xdg" / "kelo" / "machine.reg");
    std::filesystem::remove(root / "config" / "kelo" / "user.reg");
    ASSERT_TRUE(
        registry::Current().SetString(registry::Hive::LocalMachine, "Software\\KELO\\MAIN\\PATH", "OTHER", "x"));
    EXPECT_EQ(Design(Steps(u8"")), 0);
    EXPECT_EQ(m_shown, std::vector<std::string>{ckw::text::Utf8ToGbk(ckw::text::U8(u8"错误:无法查询有关注册表信息!"))});
}

TEST_F(TableDesign, FilesAreOpenedAndSavedAsWithTheTdbExtension) {
    const auto other = m_cfg / ckw::text::U8(u8"梁表");
    EXPECT_EQ(Design(Steps(u8"click 另存为...\nfile ", other.string() + "\nok\n")), 0);
    EXPECT_TRUE(std::filesystem::exists(m_cfg / ckw::text::U8(u8"梁表.TDB")));
    EXPECT_FALSE(std::filesystem::exists(TableFile())) << "OK saves into the file saved as last";

    UserTable wide(1, 7, 15, 8);
    ASSERT_TRUE(tables::SaveTdbFile(Gbk(m_cfg / ckw::text::U8(u8"宽.TDB")), wide).ok());
    EXPECT_EQ(
        Design(Steps(u8"click 打开...\nfile ", (m_cfg / ckw::text::U8(u8"宽")).string() + "\nexpect cols 8\ncancel\n")),
        0);
}

}  // namespace
}  // namespace ckw::test
