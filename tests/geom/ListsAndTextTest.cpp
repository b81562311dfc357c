#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include <ckw/Util.h>
#include "support/TestEnv.h"

namespace {

std::vector<int> Numbers(const char* text) {
    CUtil u;
    int values[16] = {};
    int count = -1;
    u.StringToNum(const_cast<char*>(text), values, count);
    return std::vector<int>(values, values + count);
}

TEST(CUtilLists, SortsAscendingWithinTheRange) {
    CUtil u;
    std::mt19937 random(7);
    for (int n : {0, 1, 2, 257}) {
        std::vector<int> ints(n);
        for (int& v : ints) v = static_cast<int>(random() % 20) - 10;  // many duplicates
        std::vector<int> expected = ints;
        std::sort(expected.begin(), expected.end());
        u.Sort(n, ints.data());
        EXPECT_EQ(ints, expected) << n;
    }
    float f[] = {3.5f, -1.0f, 3.5f, 0.0f, -7.25f};
    u.Sort(5, f);
    EXPECT_TRUE(std::is_sorted(std::begin(f), std::end(f)));
    float withNaN[] = {2.0f, NAN, 1.0f, NAN, 0.5f};
    u.Sort(5, withNaN);  // the order around NaN is not defined; the sort must end within bounds
    int part[] = {9, 8, 7, 6, 5};
    u.QuickSort(part, 1, 3);  // only the given range
    EXPECT_EQ(std::vector<int>(part, part + 5), (std::vector<int>{9, 6, 7, 8, 5}));
}

TEST(CUtilLists, NumberListForms) {
    EXPECT_EQ(Numbers("1,2,3"), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Numbers("1,,2"), (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(Numbers("1,2,"), (std::vector<int>{1, 2}));  // a trailing comma ends the last token
    EXPECT_EQ(Numbers("12 34"), (std::vector<int>{12, 34}));
    EXPECT_EQ(Numbers("7"), (std::vector<int>{7}));
    EXPECT_EQ(Numbers(""), (std::vector<int>{}));
    EXPECT_EQ(Numbers("-4,2x,x"), (std::vector<int>{-4, 2, 0}));
    EXPECT_EQ(Numbers("99999999999"), (std::vector<int>{2147483647}));
}

TEST(CUtilLists, BoundedNumberListNeverWritesPastTheArray) {
    CUtil u;
    int values[4] = {-1, -1, -1, -1};
    int count = 0;
    EXPECT_EQ(u.StringToNum("5,6,7", values, count, 2), 0);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(values[1], 6);
    EXPECT_EQ(values[2], -1);
    EXPECT_EQ(u.StringToNum("5,6", values, count, 2), 1);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(u.StringToNum(nullptr, values, count, 4), 1);
    EXPECT_EQ(count, 0);
    // A long list: the token buffer has no fixed size either.
    std::string many(5000, '1');
    int big = 0;
    EXPECT_EQ(u.StringToNum(many.c_str(), &big, count, 1), 1);
    EXPECT_EQ(big, 2147483647);
}

std::string ToDim(CUtil& u, const char* abc) {
    CString text(abc);
    char out[64];
    u.AbcStringToDimString(text, out);
    return out;
}

std::string ToAbc(CUtil& u, const char* dim) {
    CString text(dim);
    char out[64];
    u.DimStringToAbcString(text, out);
    return out;
}

TEST(CUtilGradeText, LettersAndGradeCharactersRoundTrip) {
    CUtil u;
    EXPECT_EQ(ToDim(u, "ABCDEF"), "\x82\x83\x84\x86\x85\x87");
    EXPECT_EQ(ToAbc(u, "\x82\x83\x84\x86\x85\x87"), "ABCDEF");
    EXPECT_EQ(ToDim(u, "4c25"),
              "4\x84"
              "25");  // lower case is upper-cased first
    EXPECT_EQ(ToAbc(u,
                    "2\x84"
                    "25+2\x86"
                    "20"),
              "2C25+2D20");
    EXPECT_EQ(ToDim(u, "a8@100/200"),
              "\x82"
              "8@100/200");
}

TEST(CUtilGradeText, FontEscapeAndHoopSymbol) {
    CUtil u;
    EXPECT_EQ(ToDim(u, "\\b\\B\\P"), "\\b\\b\\P");
    u.SetHoopDistStr("-");
    EXPECT_EQ(ToDim(u, "a8@100-200"),
              "\x82"
              "8-100-200");
    u.SetHoopDistStr("#");  // not a spacing sign: back to "@"
    EXPECT_EQ(ToDim(u, "a8-100"),
              "\x82"
              "8@100");
    CUtil copy(u);
    copy.SetHoopDistStr("-");
    EXPECT_EQ(ToDim(u, "a8@1"),
              "\x82"
              "8@1");  // copies hold their own symbol
}

TEST(CUtilGradeText, ChineseTextIsLeftWhole) {
    CUtil u;
    // "箍筋" is B9BF BDEE; GBK trail bytes in 0x40-0x7E can look like letters, "@" or "\".
    // 0x8140 and 0x9D5C end in "@" and "\"; 0xB062 ends in "b", 0x9E43 in "C".
    EXPECT_EQ(ToDim(u, "箍筋a8"),
              "箍筋\x82"
              "8");
    EXPECT_EQ(ToDim(u,
                    "\x81\x40\x9D\x5C"
                    "B\xB0\x62\x9E\x43"),
              "\x81\x40\x9D\x5C\x83\xB0\x62\x9E\x43");
    // A grade character followed by a byte that could pair with it is still a grade character.
    EXPECT_EQ(ToAbc(u, "\x84级\x82\x40"), "C级A@");
}

TEST(CUtilGradeText, BoundedFormsCutAtTheBuffer) {
    CUtil u;
    char out[4];
    EXPECT_EQ(u.AbcStringToDimString(CString("a8@200"), out, sizeof out), 0);
    EXPECT_EQ(std::string(out),
              "\x82"
              "8@");
    EXPECT_EQ(u.DimStringToAbcString(CString("\x82"
                                             "8"),
                                     out, sizeof out),
              1);
    EXPECT_EQ(std::string(out), "A8");
    EXPECT_EQ(u.DimStringToAbcString(CString("x"), out, 0), 0);
}

}  // namespace
