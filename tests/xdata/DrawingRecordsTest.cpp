// The drawing-frame and drawing-information records.
#include <ckw/DrawingRecords.h>
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

TEST_F(DrawingRecords, FrameIsStoredRealSecondWithHalfAddedToTheSizesAndRewrittenInPlace) {
    Frame untouched = ReadFrame();
    EXPECT_EQ(untouched.a, -7);
    EXPECT_STREQ(untouched.s, "preset");

    kwWrite_DrawingInfo(2005, "图", 1);
    ASSERT_EQ(kwWrite_DrawingFrame(9, 9, 9, 9, 9, "old"), 1);
    ASSERT_EQ(kwWrite_DrawingFrame(1, 2, 2.5f, -3, 7, "BTL.T"), 1);
    Blocks all;
    ASSERT_EQ(util.XGet_DbData(&all.list), 1);
    ASSERT_EQ(all.Size(), 2) << "one frame block";
    EXPECT_EQ(all.NameAt(1), "$KELO_DRAWFRAME");
    const short types[] = {10001, 10002, 10001, 10001, 10001, 10003};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(all.ItemAt(1, i).restype, types[i]) << i;

    Frame f = ReadFrame();
    EXPECT_EQ(f.a, 1);
    EXPECT_EQ(f.b, 2);
    EXPECT_EQ(f.r, 2.5f);
    EXPECT_EQ(f.c, -2) << "-3 + 0.5 truncates to -2";
    EXPECT_EQ(f.d, 7);
    EXPECT_STREQ(f.s, "BTL.T");
}

TEST_F(DrawingRecords, LongAndShortInformationFormsReadEachOther) {
    int i1 = 0, i2 = 0, i3 = 0, i4 = -1;
    char s1[32] = "", s2[32] = "untouched";
    ASSERT_EQ(kwWrite_DrawingInfo(3, "梁图", 5, 100, "说明", 2005), 1);
    ASSERT_EQ(kwRead_DrawingInfo(i1, s1, i2, i3), 1);
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

    Items odd;  // a string where the first integer belongs
    odd.Str("not a number").Int(9).Int(10);
    ASSERT_EQ(util.Set_DbData("$Kelo_DrawInfo_0", &odd.list), 1);
    kwRead_DrawingInfo(i1, s1, i2);
    EXPECT_EQ(i1, 4) << "a value of the wrong type is skipped";
    EXPECT_STREQ(s1, "柱图");
    EXPECT_EQ(i2, 10);
}

TEST_F(DrawingRecords, SizedFormsCutStringsAtACharacterBoundary) {
    kwWrite_DrawingInfo(1, "中文AB", 2, 3, "abcdef", 4);
    int i1 = 0, i2 = 0, i3 = 0, i4 = 0;
    char s1[4] = "zzz", s2[8];
    kwRead_DrawingInfo(i1, s1, sizeof s1, i2, i3, s2, sizeof s2, i4);
    EXPECT_STREQ(s1, "中");
    EXPECT_STREQ(s2, "abcdef");
    EXPECT_EQ(i4, 4);

    kwWrite_DrawingFrame(1, 2, 3, 4, 5, "a long title-block name.T");
    Frame f;
    kwRead_DrawingFrame(f.a, f.b, f.r, f.c, f.d, f.s, 6);
    EXPECT_STREQ(f.s, "a lon");
}

TEST_F(DrawingRecords, OversizedRecordStoresNothingAndStillAnswersOne) {
    EXPECT_EQ(kwWrite_DrawingFrame(1, 2, 3, 4, 5, std::string(8192 * 4, 'x').c_str()), 1);
    EXPECT_TRUE(Shown("扩展数据>8192!"));
    EXPECT_FALSE(!Record().empty());
}

}  // namespace
}  // namespace ckw::test
