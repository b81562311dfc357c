// The bar area table as its window shows it.
#include <gtest/gtest.h>

#include "tables/BarAreaTable.h"
#include "tables/BarAreaWindow.h"
#include "SheetCommands.h"

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
    EXPECT_EQ(t.Cell(10, 1), "78.5");      // 1 bar of 10
    EXPECT_EQ(t.Cell(34, 9), "11309.7");   // 9 bars of 40
    EXPECT_EQ(t.Cell(20, 4), "1256.6");    // 4 bars of 20
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

TEST(BarAreaTest, CommandShowsTheTableOfItsMode) {
    int shownRows = 0;
    SetBarAreaViewer([&](const BarAreaTable& t) { shownRows = t.Rows(); });
    exBarArea(1);
    EXPECT_EQ(shownRows, 35);
    exBarArea(2);
    EXPECT_EQ(shownRows, 10);
    SetBarAreaViewer(nullptr);
    exBarArea(1);  // no window, nothing happens
    EXPECT_EQ(shownRows, 10);
}

}  // namespace
}  // namespace ckw::tables
