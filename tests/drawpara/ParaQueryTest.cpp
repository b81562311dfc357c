// Queries by name on the loaded lists.
#include <gtest/gtest.h>

#include <cstring>

#include <ckw/FortranInterface.h>
#include "drawpara/NameIndex.h"
#include "support/ParaFixture.h"

using ckw::test::ParaFixture;

namespace {

class ParaQuery : public ParaFixture {
protected:
    void SetUp() override {
        ParaFixture::SetUp();
        WriteSystemLibrary();
        m_exDrawingPara.Init();
    }
    struct Layer {
        int found = 0;
        char name[100] = "unchanged";
        int number = -5, color = -5, lineType = -5;
        float width = -5;
    };
    Layer GetLayer(const char* kind) {
        Layer l;
        l.found = m_exDrawingPara.GetLayerInfo(kind, l.name, l.number, l.color, l.lineType, l.width);
        return l;
    }
};

}  // namespace

TEST_F(ParaQuery, LayerOfComponentKindIgnoresCaseAndTrailingBlanks) {
    Layer beam = GetLayer("梁 \t");
    ASSERT_EQ(beam.found, 1);
    EXPECT_STREQ(beam.name, "梁");
    EXPECT_EQ(beam.number, 3);
    EXPECT_EQ(beam.color, 1) << "'red' is the description of 红 in other letter case";
    EXPECT_EQ(beam.lineType, 2) << "虚线 is entry 2";
    EXPECT_FLOAT_EQ(beam.width, 0.35f);

    Layer column = GetLayer("column  ");
    ASSERT_EQ(column.found, 1);
    EXPECT_EQ(column.color, 2) << "'yellow ' matches Yellow";
    EXPECT_EQ(column.lineType, 1) << "'Solid' is the solid line without looking at the list";

    Layer axis = GetLayer("轴线");
    EXPECT_EQ(axis.color, 7) << "a number that names no colour is the colour number";
    EXPECT_EQ(axis.lineType, 3);

    Layer frame = GetLayer("图框");
    EXPECT_EQ(frame.number, 0) << "'x9' is not a number";
    EXPECT_EQ(frame.color, 0) << "绿 names no colour and is no number";
    EXPECT_EQ(frame.lineType, 0) << "a line type the list lacks";

    Layer none = GetLayer(" 梁");
    EXPECT_EQ(none.found, 0) << "leading blanks are part of the name";
    EXPECT_STREQ(none.name, "unchanged");
    EXPECT_EQ(none.number, -5);
}

TEST_F(ParaQuery, BoundedLayerNameNeverWritesPastTheBuffer) {
    char buffer[4] = {'x', 'x', 'x', 'x'};
    char guard[4] = {'g', 'g', 'g', 'g'};
    int number = 0, color = 0, lineType = 0;
    float width = 0;
    ASSERT_EQ(m_exDrawingPara.GetLayerInfo("轴线", buffer, sizeof buffer, number, color, lineType, width), 1);
    EXPECT_STREQ(buffer, "轴") << "cut at a character boundary";
    EXPECT_EQ(std::memcmp(guard, "gggg", 4), 0);
}

TEST_F(ParaQuery, ColourTextFirstMatchingRecordWins) {
    // 'Red' is the description of 红 (entry 1) and the name of entry 4: entry 1 is first.
    EXPECT_EQ(m_exDrawingPara.GetCfgColorFromString("RED"), 1);
    EXPECT_EQ(m_exDrawingPara.GetCfgColorFromString("白"), 7);
    EXPECT_EQ(m_exDrawingPara.GetCfgColorFromString(" 12 "), 12);
}

TEST_F(ParaQuery, TextAndDimensionSizes) {
    float height = -1, width = -1;
    ASSERT_EQ(m_exDrawingPara.GetTextInfo("beam no ", height, width), 1);
    EXPECT_FLOAT_EQ(height, 5.0f);
    EXPECT_FLOAT_EQ(width, 3.5f);
    ASSERT_EQ(m_exDrawingPara.GetTextInfo("钢筋标注", height, width), 1);
    EXPECT_FLOAT_EQ(height, 3.5f) << "the first of two rows of the same kind";
    EXPECT_EQ(m_exDrawingPara.GetTextInfo("没有", height, width), 0);
    EXPECT_FLOAT_EQ(height, 3.5f);

    float value = -1;
    ASSERT_EQ(m_exDrawingPara.GetDimInfo("文字偏移", value), 1);
    EXPECT_FLOAT_EQ(value, 0.8f);
    EXPECT_EQ(m_exDrawingPara.GetDimInfo("没有", value), 0);
}

TEST_F(ParaQuery, UserParameterIsReadFromItsTableOnEveryCall) {
    char value[64] = "", kind[64] = "";
    ASSERT_EQ(m_exDrawingPara.GetUserParaInfo("用户参数表", "保护层厚度 ", value, kind), 1);
    EXPECT_STREQ(value, "25");
    EXPECT_STREQ(kind, "mm");
    Exec(UserLib(), "UPDATE 用户参数表 SET 数值 = '30' WHERE 内容 = '保护层厚度'");
    ASSERT_EQ(m_exDrawingPara.GetUserParaInfo("用户参数表", "保护层厚度", value, kind), 1);
    EXPECT_STREQ(value, "30");
    EXPECT_EQ(m_exDrawingPara.GetUserParaInfo("用户参数表", "没有", value, kind), 0);

    char small[3] = "", smallKind[2] = "";
    ASSERT_EQ(
        m_exDrawingPara.GetUserParaInfo("用户参数表", "钢筋等级", small, sizeof small, smallKind, sizeof smallKind), 1);
    EXPECT_STREQ(small, "HR");
    EXPECT_STREQ(smallKind, "") << "a two-byte character does not fit one byte";
}

TEST_F(ParaQuery, LineTypeByNumber) {
    int count = -1;
    float values[9] = {};
    for (int solid : {0, 1}) {
        int number = solid;
        count = -1;
        EXPECT_EQ(m_exDrawingPara.GetLineTypeInfo(number, count, values), 1);
        EXPECT_EQ(count, 0);
    }
    int number = -1;
    EXPECT_EQ(m_exDrawingPara.GetLineTypeInfo(number, count, values), 0);
    number = 5;
    ASSERT_EQ(m_exDrawingPara.GetLineTypeInfo(number, count, values), 1) << "the last entry";
    EXPECT_EQ(count, 9);
    EXPECT_FLOAT_EQ(values[8], 9.0f);
    number = 6;
    EXPECT_EQ(m_exDrawingPara.GetLineTypeInfo(number, count, values), 0);
}

TEST_F(ParaQuery, LineTypeByNameUpperCasesButDoesNotTrim) {
    int number = 0, count = 0;
    float values[9] = {};
    ASSERT_EQ(m_exDrawingPara.GetLineTypeInfo("dashed", number, count, values), 1);
    EXPECT_EQ(number, 4);
    EXPECT_EQ(count, 2);
    EXPECT_FLOAT_EQ(values[1], -3.0f);
    EXPECT_EQ(m_exDrawingPara.GetLineTypeInfo("dashed ", number, count, values), 0);
    ASSERT_EQ(m_exDrawingPara.GetLineTypeInfo("Solid", number, count, values), 1);
    EXPECT_EQ(number, 1);
    EXPECT_EQ(count, 0);
    // The layer texts go through the common comparison instead.
    EXPECT_EQ(m_exDrawingPara.GetLineValueFromString("dashed "), 4);
    EXPECT_EQ(m_exDrawingPara.GetLineValueFromString("SOLID"), 1);
    EXPECT_EQ(m_exDrawingPara.GetLineValueFromString("没有"), 0);
}

TEST(SplitLineTypeData, PiecesAsTheCLibraryReadsThem) {
    struct Case {
        const char* data;
        int count;
        std::vector<float> values;
    };
    for (const Case& c : std::vector<Case>{{"0,0", 2, {0, 0}},
                                           {"12,-6,", 2, {12, -6}},
                                           {"12,-6,,,", 2, {12, -6}},
                                           {"", 0, {}},
                                           {"7.5", 1, {7.5f}},
                                           {",3,", 1, {0}},
                                           {" 4x,abc,-2", 3, {4, 0, -2}},
                                           {"1,2,3,4,5,6,7,8,9,10", 9, {1, 2, 3, 4, 5, 6, 7, 8, 9}}}) {
        int count = -1;
        float values[9] = {};
        CDrawingPara::SplitLineTypeData(c.data, count, values);
        ASSERT_EQ(count, c.count) << c.data;
        for (int i = 0; i < count; ++i) EXPECT_FLOAT_EQ(values[i], c.values[size_t(i)]) << c.data;
    }
}

TEST_F(ParaQuery, UserParameterTableNameIsTrimmedAndMayBeInBrackets) {
    for (const char* table : {"用户参数表      ", "[用户参数表]", "  [ 用户参数表 ] "}) {
        char value[64] = "", kind[64] = "";
        EXPECT_EQ(m_exDrawingPara.GetUserParaInfo(table, "保护层厚度", value, kind), 1) << table;
        EXPECT_STREQ(value, "25");
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ParaQuery, LayerNumberMinusOneIsReportedInABox) {
    Exec(UserLib(), "UPDATE 系统构件图层表 SET 层号 = '-1' WHERE 构件类型 = '梁'");
    m_exDrawingPara.ReSetAllData();
    int number = 0;
    GETLAYERNUM("梁", &number);
    EXPECT_EQ(number, -1);
    EXPECT_TRUE(Shown("Not Find Layer Information!"));
}

// The lookup that reads the caller's text in place finds what a lookup of its NameKey finds,
// whatever the text: GBK trail bytes that look like small letters or blanks stay as they are.
TEST(NameIndexLookup, ReadingTheTextInPlaceFindsWhatItsNameKeyFinds) {
    ckw::drawpara::NameIndex index;
    const std::string stored[] = {"AXIS",
                                  "A B",
                                  "\xB0\x61",
                                  "\xB0\x61"
                                  "B",
                                  "\x81\x30\x81\x30Z",
                                  ""};
    for (int i = 0; i < 6; ++i) index.Add(ckw::text::NameKey(stored[i]), i);
    const std::string asked[] = {"axis",
                                 "AXIS \t ",
                                 "a b ",
                                 "a  b",
                                 "\xB0\x61",
                                 "\xB0\x41",
                                 "\xB0\x61"
                                 "b",
                                 "\xB0\x61"
                                 "B\n",
                                 " axis",
                                 "\x81\x30\x81\x30z  ",
                                 "   ",
                                 "\xB0",
                                 "\xB0 ",
                                 "axis\xB0",
                                 "ax"};
    for (const std::string& text : asked)
        EXPECT_EQ(index.FindName(text), index.Find(ckw::text::NameKey(text))) << testing::PrintToString(text);
    EXPECT_EQ(index.FindName("axis  "), 0);
    EXPECT_EQ(index.FindName("\xB0\x41"), -1) << "a trail byte is not a letter";
}
