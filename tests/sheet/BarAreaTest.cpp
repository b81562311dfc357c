// The bar area table as its window shows it.
#include <gtest/gtest.h>

#include "tables/BarAreaTable.h"
#include "dialog/DialogHeadless.h"
#include "base/GbkText.h"
#include "tables/BarAreaDialog.h"
#include <ckw/SheetCommands.h>

namespace ckw::tables {
namespace {

TEST(BarAreaTest, BarsPerDiameter) {
    BarAreaTable t(1);
    ASSERT_EQ(t.Rows(), 35);
    ASSERT_EQ(t.Cols(), 10);
    EXPECT_STREQ(t.Caption(), "钢筋面积表mm2");
    EXPECT_STREQ(t.RowLabel(), "直径");
    EXPECT_STREQ(t.ColumnLabel(), "根数");
    EXPECT_EQ(t.Cell(0, 0), "");
    EXPECT_EQ(t.Cell(0, 1), "1");
    EXPECT_EQ(t.Cell(0, 9), "9");
    EXPECT_EQ(t.Cell(1, 0), "2.5");
    EXPECT_EQ(t.Cell(6, 0), "6.5");
    EXPECT_EQ(t.Cell(16, 0), "16");
    EXPECT_EQ(t.Cell(34, 0), "40");
    EXPECT_EQ(t.Cell(10, 1), "78.5");     // 1 bar of 10
    EXPECT_EQ(t.Cell(34, 9), "11309.7");  // 9 bars of 40
    EXPECT_EQ(t.Cell(20, 4), "1256.6");   // 4 bars of 20
    EXPECT_FALSE(t.ShortWindow());
}

TEST(BarAreaTest, SlabBarsPerMetre) {
    BarAreaTable t(2);
    ASSERT_EQ(t.Rows(), 10);
    ASSERT_EQ(t.Cols(), 10);
    EXPECT_STREQ(t.Caption(), "钢筋混凝土板每米宽钢筋面积表mm2");
    EXPECT_STREQ(t.RowLabel(), "间距");
    EXPECT_STREQ(t.ColumnLabel(), "直径");
    EXPECT_EQ(t.Cell(0, 5), "8");
    EXPECT_EQ(t.Cell(7, 0), "200");
    EXPECT_EQ(t.Cell(7, 5), "251.3");   // 8 at 200
    EXPECT_EQ(t.Cell(1, 6), "1122.0");  // 10 at 70: 1000/70 bars, not rounded
    EXPECT_TRUE(t.ShortWindow());
}

TEST(BarAreaTest, OtherModesShowTheSlabTableFullHeight) {
    for (int mode : {0, 3, -1}) {
        BarAreaTable t(mode);
        EXPECT_EQ(t.Rows(), 10);
        EXPECT_EQ(t.Cell(7, 5), "251.3");
        EXPECT_FALSE(t.ShortWindow());
    }
}

ckw::dlg::DialogScript Script(const std::u8string& utf8) { return ckw::dlg::DialogScript::Parse(ckw::text::U8(utf8)); }

TEST(BarAreaTest, WindowOfBarsPerDiameter) {
    ckw::dlg::ScriptSession session(
        Script(u8R"(
dialog 2013
expect caption 钢筋面积表mm2
expect rows 35
expect cols 10
expect cell 10 1 78.5
expect cell 6 0 6.5
expect editable 10 1 no
expect backcolor 0 0 #C0C0C0
expect width 1 64
click 1
)"));
    exBarArea(1);
    EXPECT_TRUE(session.Succeeded()) << session.Report();
}

TEST(BarAreaTest, SlabWindowOfModeTwoIsShortened) {
    BarAreaDialog full(3), shortened(2);
    ckw::dlg::ScriptSession session;  // no script: each ends at once
    full.DoModal();
    shortened.DoModal();
    EXPECT_EQ(full.GetWindowText(), "钢筋混凝土板每米宽钢筋面积表mm2");
    EXPECT_EQ(full.Height(), 880);
    EXPECT_EQ(shortened.Height(), 616);
    const auto& button = shortened.Item(1).GetRect();
    EXPECT_EQ(button.bottom, 616 - 35);
    EXPECT_EQ(button.left + button.right, 700);  // centred
    EXPECT_EQ(shortened.Item(2000).GetRect().bottom, button.top - 20);
    auto& grid = shortened.Grid(2000);
    EXPECT_EQ(grid.GridGetRowHeight(0), 2 * grid.GridGetRowHeight(1));
    ASSERT_EQ(grid.Cell(0, 0).labels.size(), 2u);
    EXPECT_EQ(grid.Cell(0, 0).labels[0].text, "间距");
    EXPECT_EQ(grid.Cell(0, 0).labels[1].text, "直径");
    EXPECT_EQ(grid.Cell(0, 0).labels[1].x, 950);
    EXPECT_EQ(grid.Cell(0, 0).diagonal, 1);
}

}  // namespace
}  // namespace ckw::tables
