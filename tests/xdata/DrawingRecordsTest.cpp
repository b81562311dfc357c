// The drawing-frame and drawing-information records.
#include <cstring>

#include "DrawingRecords.h"
#include "xdata/XDataFixture.h"

namespace ckw::test {
namespace {

class DrawingRecords : public XDataTest {
protected:
    struct Frame {
        int a = -7, b = -7, c = -7, d = -7;
        float r = -7;
        char s[64] = "preset";
    };
    Frame ReadFrame() {
        Frame f;
        EXPECT_EQ(kwRead_DrawingFrame(f.a, f.b, f.r, f.c, f.d, f.s), 1);
        return f;
    }
};

TEST_F(DrawingRecords, ReadingBeforeAnyWriteLeavesEveryOutput) {
    Frame f = ReadFrame();
    EXPECT_EQ(f.a, -7);
    EXPECT_STREQ(f.s, "preset");
    int i1 = 5, i2 = 6, i3 = 7, i4 = 8;
    char s1[8] = "s1", s2[8] = "s2";
    EXPECT_EQ(kwRead_DrawingInfo(i1, s1, i2, i3, s2, i4), 1);
    EXPECT_EQ(i1 + i2 + i3 + i4, 26);
    EXPECT_STREQ(s1, "s1");
}

TEST_F(DrawingRecords, FrameIsStoredRealSecondWithHalfAddedToTheSizes) {
    ASSERT_EQ(kwWrite_DrawingFrame(1, 2, 2.5f, -3, 7, "BTL.T"), 1);
    Items stored;
    ASSERT_EQ(util.Get_DbData("$Kelo_DrawFrame", &stored.list), 1);
    ASSERT_EQ(stored.Size(), 6);
    const short types[] = {10001, 10002, 10001, 10001, 10001, 10003};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(stored.list[i]->restype, types[i]) << i;

    Frame f = ReadFrame();
    EXPECT_EQ(f.a, 1);
    EXPECT_EQ(f.b, 2);
    EXPECT_EQ(f.r, 2.5f);
    EXPECT_EQ(f.c, -2) << "-3 + 0.5 truncates to -2";
    EXPECT_EQ(f.d, 7);
    EXPECT_STREQ(f.s, "BTL.T");
}

TEST_F(DrawingRecords, WritingTheFrameTwiceKeepsOneBlockWithTheSecondValues) {
    kwWrite_DrawingInfo(2005, "图", 1);
    kwWrite_DrawingFrame(1, 0, 100, 841, 594, "A.T");
    kwWrite_DrawingFrame(3, 1, 50, 420, 297, "B.T");
    Blocks all;
    ASSERT_EQ(util.XGet_DbData(&all.list), 1);
    ASSERT_EQ(all.Size(), 2);
    EXPECT_EQ(all.NameAt(1), "$KELO_DRAWFRAME");
    Frame f = ReadFrame();
    EXPECT_EQ(f.a, 3);
    EXPECT_EQ(f.c, 420);
    EXPECT_STREQ(f.s, "B.T");
}

TEST_F(DrawingRecords, LongAndShortInformationFormsReadEachOther) {
    ASSERT_EQ(kwWrite_DrawingInfo(3, "梁图", 5, 100, "说明", 2005), 1);
    int i1 = 0, i2 = 0, i3 = 0, i4 = -1;
    char s1[32] = "", s2[32] = "untouched";
    kwRead_DrawingInfo(i1, s1, i2, i3);
    EXPECT_EQ(i1, 3);
    EXPECT_STREQ(s1, "梁图");
    EXPECT_EQ(i2, 5);
    EXPECT_EQ(i3, 100);
    EXPECT_STREQ(s2, "untouched");

    ASSERT_EQ(kwWrite_DrawingInfo(4, "柱图", 6), 1);
    i3 = -1;
    kwRead_DrawingInfo(i1, s1, i2, i3, s2, i4);
    EXPECT_EQ(i1, 4);
    EXPECT_STREQ(s1, "柱图");
    EXPECT_EQ(i3, -1) << "the short form has no third integer";
    EXPECT_STREQ(s2, "untouched");
    EXPECT_EQ(i4, -1);
}

TEST_F(DrawingRecords, ValueOfTheWrongTypeIsSkipped) {
    Items odd;
    odd.Str("not a number").Int(9).Int(10);
    ASSERT_EQ(util.Set_DbData("$Kelo_DrawInfo_0", &odd.list), 1);
    int i1 = -1, i2 = -1;
    char s1[16] = "keep";
    kwRead_DrawingInfo(i1, s1, i2);
    EXPECT_EQ(i1, -1);
    EXPECT_STREQ(s1, "keep");
    EXPECT_EQ(i2, 10);
}

TEST_F(DrawingRecords, SizedFormsCutStringsAtACharacterBoundary) {
    kwWrite_DrawingInfo(1, "中文AB", 2, 3, "abcdef", 4);
    int i1 = 0, i2 = 0, i3 = 0, i4 = 0;
    char s1[4], s2[8];
    std::memset(s1, 'z', sizeof s1);
    kwRead_DrawingInfo(i1, s1, sizeof s1, i2, i3, s2, sizeof s2, i4);
    EXPECT_STREQ(s1, "中");
    EXPECT_STREQ(s2, "abcdef");
    EXPECT_EQ(i4, 4);

    kwWrite_DrawingFrame(1, 2, 3, 4, 5, "a long title-block name.T");
    int a, b, c, d;
    float r;
    char s[6];
    kwRead_DrawingFrame(a, b, r, c, d, s, sizeof s);
    EXPECT_STREQ(s, "a lon");
}

TEST_F(DrawingRecords, OversizedRecordStoresNothingAndStillAnswersOne) {
    std::string huge(8192 * 4, 'x');
    EXPECT_EQ(kwWrite_DrawingFrame(1, 2, 3, 4, 5, huge.c_str()), 1);
    EXPECT_TRUE(Shown("扩展数据>8192!"));
    EXPECT_FALSE(engine.record.has_value());
}

}  // namespace
}  // namespace ckw::test
