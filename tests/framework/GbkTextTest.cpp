#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>

#include <ckw/CString.h>
#include <ckw/DrawingPara.h>
#include "base/GbkText.h"
#include "support/TestEnv.h"

using namespace ckw::text;

namespace {
// "实线" in UTF-8 and its GBK bytes; "表" (0xB1ED) and "\x95\x5C" end in bytes that look ASCII.
const std::string kSolidUtf8 = U8(u8"实线");
}  // namespace

TEST(GbkText, RoundTripsBetweenUtf8AndGbk) {
    std::string gbk = Utf8ToGbk(kSolidUtf8);
    EXPECT_EQ(gbk, "\xCA\xB5\xCF\xDF");
    EXPECT_EQ(GbkToUtf8(gbk), kSolidUtf8);
    EXPECT_EQ(std::string("实线"), gbk) << "narrow literals are GBK bytes";
}

TEST(GbkText, InvalidSequencesAreReplacedNotFatal) {
    EXPECT_EQ(GbkToUtf8("a\x81"), "a\xEF\xBF\xBD");
    EXPECT_EQ(Utf8ToGbk("a\xC3(b"), "a?(b");
}

TEST(GbkText, UpperCasingLeavesTrailBytesAlone) {
    // 0x81 0x61: a GBK character whose trail byte is 'a'; 0x95 0x5C ends in a backslash.
    std::string mixed = "ab\x81\x61z\x95\x5C";
    EXPECT_EQ(ToUpper(mixed), "AB\x81\x61Z\x95\x5C");
    EXPECT_EQ(ToLower("AB\x81\x41"), "ab\x81\x41");
}

TEST(GbkText, TrimRightKeepsTrailByteThatLooksLikeBlank) {
    // The trail byte of 0x81 0x40 is kept; only whole blank characters go.
    EXPECT_EQ(TrimRight("x \t\r\n"), "x");
    EXPECT_EQ(TrimRight("\x81\x40  "), "\x81\x40");
    EXPECT_EQ(NameKey("  beam \t"), "  BEAM");
}

TEST(GbkText, CopyToBufferCutsAtCharacterBoundary) {
    char buffer[4];
    EXPECT_FALSE(CopyToBuffer("a\xCA\xB5\xCF\xDF", buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "a\xCA\xB5");
    EXPECT_TRUE(CopyToBuffer("ab", buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "ab");
}

TEST(CString, MfcShapedOperations) {
    CString s("  Beam\xB1\xED ");
    s.Trim();
    EXPECT_STREQ(s, "Beam\xB1\xED");
    s.MakeUpper();
    EXPECT_STREQ(s, "BEAM\xB1\xED");
    EXPECT_EQ(s.Find("AM"), 2);
    EXPECT_STREQ(s.Left(2), "BE");
    EXPECT_STREQ(s.Mid(4), "\xB1\xED");
    CString f;
    f.Format("%s\\%d", "dir", 7);
    EXPECT_STREQ(f, "dir\\7");
}

// Numbers read and written the same in a locale that writes decimals with a comma (as a toolkit
// may switch the C library to).
TEST(NumberText, ParsingAndFormattingIgnoreTheLocale) {
    const ckw::test::CommaDecimalLocale comma;
    if (!comma.active()) GTEST_SKIP() << "no locale with a decimal comma (package locales)";
    EXPECT_EQ(std::strtod("3.5", nullptr), 3.0) << "the comma locale is active";
    struct Case {
        const char* text;
        double value;
        size_t used;
    } cases[] = {{"3.5", 3.5, 3}, {" -1.5,", -1.5, 5}, {"+2e3x", 2000, 4},     {"0.5,-2.5", 0.5, 3},
                 {"abc", 0, 0},   {"", 0, 0},          {"1e999", HUGE_VAL, 5}, {"-1e-999", -0.0, 7}};
    for (const Case& c : cases) {
        size_t used = 99;
        EXPECT_EQ(ckw::text::ParseNumber(c.text, &used), c.value) << c.text;
        EXPECT_EQ(used, c.used) << c.text;
    }
    EXPECT_EQ(ckw::text::FormatFixed(3.5, 2), "3.50");
    EXPECT_EQ(ckw::text::FormatFixed(-0.125, 3), "-0.125");
    int count = 0;
    float dashes[9] = {};
    CDrawingPara::SplitLineTypeData("3,-1.5", count, dashes);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(dashes[1], -1.5f);
    EXPECT_EQ(ckw::text::FormatGeneral(-1.25, 6), "-1.25");
}
