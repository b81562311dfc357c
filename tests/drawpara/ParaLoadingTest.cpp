// Loading the parameter library: first start, the tables read into the lists, the lifecycle.
#include <gtest/gtest.h>

#include <fstream>

#include "support/ParaFixture.h"

using ckw::test::ParaFixture;

namespace {

class ParaLoading : public ParaFixture {};

}  // namespace

TEST_F(ParaLoading, FirstStartCopiesSystemLibraryAndRecordsPaperSpaceMode) {
    WriteSystemLibrary();
    EXPECT_EQ(m_exDrawingPara.GetDrawingKind05(), 2008) << "model space until something is stored";
    m_exDrawingPara.Init();
    ASSERT_TRUE(std::filesystem::exists(UserLib()));
    // A copy of the system library whose layer table was rebuilt with Chinese layer names: each
    // layer is named after its component type.
    EXPECT_EQ(Scalar(UserLib(), "SELECT count(*) FROM 系统线型表"),
              Scalar(SystemLib(), "SELECT count(*) FROM 系统线型表"));
    EXPECT_EQ(Scalar(UserLib(), "SELECT group_concat(层名, '|') FROM 系统构件图层表"), "梁|Column|轴线|图框");
    EXPECT_EQ(Scalar(UserLib(), "SELECT group_concat(层号 || 颜色 || 线型, '|') FROM 系统构件图层表"),
              Scalar(SystemLib(), "SELECT group_concat(层号 || 颜色 || 线型, '|') FROM 系统构件图层表"));
    EXPECT_EQ(m_exDrawingPara.GetDrawingKind05(), 2005);
    EXPECT_EQ(m_exDrawingPara.GetDrawingScale(), 100);
    EXPECT_STREQ(m_exDrawingPara.GetCfgPath(), CfgGbk().c_str());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ParaLoading, TablesAreReadInRowOrderWithOneBuiltInSolidLine) {
    WriteSystemLibrary();
    m_exDrawingPara.Init();
    // "solid" and "实线" rows of the table are skipped; the built-in solid line is entry 1.
    ASSERT_EQ(m_exDrawingPara.GetLineTypeCount(), 5);
    EXPECT_STREQ(m_exDrawingPara.GetLineTypeAt(0)->GetLineTypeName(), "实线");
    EXPECT_STREQ(m_exDrawingPara.GetLineTypeAt(0)->GetLineTypeData(), "0,0");
    EXPECT_STREQ(m_exDrawingPara.GetLineTypeAt(0)->GetLineTypeDes(), "实线 ________");
    EXPECT_STREQ(m_exDrawingPara.GetLineTypeAt(1)->GetLineTypeName(), "虚线");
    EXPECT_STREQ(m_exDrawingPara.GetLineTypeAt(3)->GetLineTypeName(), "DASHED");

    ASSERT_EQ(m_exDrawingPara.GetColorCount(), 4);
    EXPECT_EQ(m_exDrawingPara.GetColorAt(2)->GetColorValue(), 7);
    EXPECT_STREQ(m_exDrawingPara.GetColorAt(2)->GetColorDes(), "White");

    ASSERT_EQ(m_exDrawingPara.GetTextCount(), 3);
    EXPECT_FLOAT_EQ(m_exDrawingPara.GetTextAt(0)->GetTextHeight(), 3.5f);
    EXPECT_FLOAT_EQ(m_exDrawingPara.GetTextAt(0)->GetTextWidth(), 2.8f);
    EXPECT_STREQ(m_exDrawingPara.GetTextAt(0)->GetTextDes(), "") << "the loader leaves the description empty";
    ASSERT_EQ(m_exDrawingPara.GetDimCount(), 2);
    EXPECT_STREQ(m_exDrawingPara.GetDimAt(1)->GetTextDes(), "text gap");

    ASSERT_EQ(m_exDrawingPara.GetLayerCount(), 4);
    const CkwLayerDef_* frame = m_exDrawingPara.GetLayerAt(3);
    EXPECT_STREQ(frame->GetLayerNumber(), "x9") << "layer texts are stored as they are";
    EXPECT_FLOAT_EQ(frame->GetLineWidth(), 0.7f);
    EXPECT_EQ(m_exDrawingPara.GetUserParaCount(), 0) << "user parameters are read on demand";
}

TEST_F(ParaLoading, EmptyLineTypeTableGivesJustTheSolidLine) {
    WriteSystemLibrary();
    WriteUserLibrary();
    Exec(UserLib(), "DELETE FROM 系统线型表");
    m_exDrawingPara.Init();
    ASSERT_EQ(m_exDrawingPara.GetLineTypeCount(), 1);
    EXPECT_STREQ(m_exDrawingPara.GetLineTypeAt(0)->GetLineTypeName(), "实线");
}

TEST_F(ParaLoading, QueryBeforeInitLoadsAndResetOnClosedLibraryReadsNothing) {
    WriteSystemLibrary();
    m_exDrawingPara.ReSetAllData();
    EXPECT_TRUE(m_exDrawingPara.IsClosed());
    EXPECT_EQ(m_exDrawingPara.GetLayerCount(), 0);

    char name[100];
    int number = 0, color = 0, lineType = 0;
    float width = 0;
    EXPECT_EQ(m_exDrawingPara.GetLayerInfo("梁", name, number, color, lineType, width), 1);
    EXPECT_FALSE(m_exDrawingPara.IsClosed());
    EXPECT_EQ(m_exDrawingPara.GetLayerCount(), 4);

    m_exDrawingPara.Close();
    m_exDrawingPara.Close();
    EXPECT_TRUE(m_exDrawingPara.IsClosed());
    EXPECT_EQ(m_exDrawingPara.GetLineTypeCount(), 0);
}

TEST_F(ParaLoading, ResetRereadsWhatTheUserLibraryNowHolds) {
    WriteSystemLibrary();
    m_exDrawingPara.Init();
    Exec(UserLib(), "UPDATE 颜色表 SET 颜色号 = 11 WHERE 颜色名 = '红'");
    EXPECT_EQ(m_exDrawingPara.GetColorAt(0)->GetColorValue(), 1);
    m_exDrawingPara.ReSetAllData();
    EXPECT_EQ(m_exDrawingPara.GetColorAt(0)->GetColorValue(), 11);
}

TEST_F(ParaLoading, UserLibraryGoneAfterInitKeepsListsAndSaysSo) {
    WriteSystemLibrary();
    m_exDrawingPara.Init();
    std::filesystem::remove(UserLib());
    m_exDrawingPara.ReadLayerInfo_FromDbLib();
    EXPECT_EQ(m_exDrawingPara.GetLayerCount(), 4);
    EXPECT_TRUE(Shown("没有找到系统文件" + ckw::text::Utf8ToGbk(UserLib().string()) + "!!"));
}

TEST_F(ParaLoading, MissingSystemLibraryCreatesNothingAndLoadersReport) {
    m_exDrawingPara.Init();
    EXPECT_FALSE(std::filesystem::exists(UserLib()));
    EXPECT_TRUE(Shown("没有找到系统文件" + ckw::text::Utf8ToGbk(SystemLib().string()) + "!!"));
    EXPECT_TRUE(Shown("没有找到系统文件" + ckw::text::Utf8ToGbk(UserLib().string()) + "!!"));
    EXPECT_EQ(m_exDrawingPara.GetLineTypeCount(), 0);
}

TEST_F(ParaLoading, ALibraryThatCannotBeReadIsReportedOncePerLoadNotOncePerTable) {
    WriteSystemLibrary();
    m_exDrawingPara.Init();
    m_exDrawingPara.Close();
    std::ofstream(UserLib(), std::ios::trunc) << "not a database at all, but long enough to be looked at";
    const size_t before = Messages().size();
    m_exDrawingPara.Init();
    ASSERT_EQ(Messages().size(), before + 1) << Messages().back();
    m_exDrawingPara.ReSetAllData();
    EXPECT_EQ(Messages().size(), before + 2) << "a new load says it again";
}

TEST_F(ParaLoading, UserParametersComeFromTheNamedTable) {
    WriteSystemLibrary();
    m_exDrawingPara.Init();
    m_exDrawingPara.ReadUserParaDef_FromDbLib("用户参数表");
    ASSERT_EQ(m_exDrawingPara.GetUserParaCount(), 2);
    EXPECT_STREQ(m_exDrawingPara.GetUserParaAt(1)->GetParaValue(), "HRB400");
    EXPECT_STREQ(m_exDrawingPara.GetUserParaAt(1)->GetParaValKind(), "文字");

    // A table the user library lacks: the update message, and the list as it was.
    m_exDrawingPara.ReadUserParaDef_FromDbLib("没有的表");
    EXPECT_TRUE(Shown("请更新数据库文件 绘图参数.mdb!"));
    EXPECT_EQ(m_exDrawingPara.GetUserParaCount(), 2);

    // A table name is an identifier, never SQL.
    m_exDrawingPara.ReadUserParaDef_FromDbLib("用户参数表; DROP TABLE 颜色表");
    EXPECT_EQ(m_exDrawingPara.GetUserParaCount(), 2);
    EXPECT_EQ(Scalar(UserLib(), "SELECT COUNT(*) FROM 颜色表"), "4");
}

TEST(ParaRecords, OwnTheirTextAndCopyEveryField) {
    std::string data = "6,-3";
    CkwLineTypeDef_ record;
    EXPECT_STREQ(record.GetLineTypeName(), "");
    record.SetLineTypeData(data.c_str());
    data = "changed";
    EXPECT_STREQ(record.GetLineTypeData(), "6,-3");

    CkwTextDef_ text;
    text.SetTextType("钢筋标注");
    text.SetTextHeight(3.5f);
    text.SetTextWidth(2.5f);
    text.SetTextDes("说明");
    CkwTextDef_ copy = text;
    copy = copy;
    EXPECT_STREQ(copy.GetTextType(), "钢筋标注");
    EXPECT_FLOAT_EQ(copy.GetTextWidth(), 2.5f);
    EXPECT_STREQ(copy.GetTextDes(), "说明");
}
