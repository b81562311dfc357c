// Defining the library's line types in the host engine, and the messages the queries and the
// Fortran-callable functions leave on the host's prompt line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ckw/FortranInterface.h>
#include "support/MockHostEngine.h"
#include "support/ParaFixture.h"
#include "support/RecordingEngine.h"

using ckw::test::MockHostEngine;
using ckw::test::ParaFixture;
using ckw::test::RecordingEngine;
using ::testing::_;
using ::testing::ElementsAre;
using ::testing::Invoke;

namespace {

// The host's line-type table as HostGetLineTypes reports it.
struct HostTable {
    int counts[99] = {};
    float values[9 * 99] = {};
    void Set(int type, std::vector<float> dashes) {
        counts[type - 1] = static_cast<int>(dashes.size());
        for (size_t i = 0; i < dashes.size(); ++i) values[9 * (type - 1) + i] = dashes[i];
    }
};

class LineTypeHost : public ParaFixture {
protected:
    void SetUp() override {
        ParaFixture::SetUp();
        WriteSystemLibrary();
        m_saved = m_pCfg;
        m_pCfg = &m_recorder;
        m_exDrawingPara.Init();
    }
    void TearDown() override {
        m_pCfg = m_saved;
        ParaFixture::TearDown();
    }
    void UseMock() {
        m_pCfg = &m_mock;
        ON_CALL(m_mock, HostGetLineTypes(_, _)).WillByDefault(Invoke([this](int* counts, float* values) {
            std::copy(std::begin(m_host.counts), std::end(m_host.counts), counts);
            std::copy(std::begin(m_host.values), std::end(m_host.values), values);
        }));
    }
    HostEngine* m_saved = nullptr;
    RecordingEngine m_recorder;
    ::testing::NiceMock<MockHostEngine> m_mock;
    HostTable m_host;
};

}  // namespace

TEST_F(LineTypeHost, AllLineTypesAreDefinedAtTheDrawingScale) {
    m_exDrawingPara.CreatAllLineType();
    EXPECT_THAT(m_recorder.CallsOf("HostDefineLineType"),
                ElementsAre("HostDefineLineType(2, 2, [600 -300])", "HostDefineLineType(3, 4, [1200 -300 200 -300])",
                            "HostDefineLineType(4, 2, [600 -300])",
                            "HostDefineLineType(5, 8, [100 200 300 400 500 600 700 800])"));
}

TEST_F(LineTypeHost, FortranScaleIsRememberedAcrossInit) {
    SETDRAWINGSCALE(50);
    INITKWUTIL();
    EXPECT_EQ(m_exDrawingPara.GetDrawingScale(), 100);
    m_recorder.Clear();
    EXPECT_EQ(CREATALLLINETYPE(), 1);
    ASSERT_FALSE(m_recorder.CallsOf("HostDefineLineType").empty());
    EXPECT_EQ(m_recorder.CallsOf("HostDefineLineType")[0], "HostDefineLineType(2, 2, [300 -150])");
    SETDRAWINGSCALE(100);
}

TEST_F(LineTypeHost, OnePatternAlreadyHeldIsReusedAndNothingDefined) {
    UseMock();
    m_host.Set(2, {1, 1});
    m_host.Set(3, {12.00005f, -3, 2, -3.00009f});
    EXPECT_CALL(m_mock, HostDefineLineType(_, _, _)).Times(0);
    EXPECT_EQ(m_exDrawingPara.CreateOneLineType("点划线", 1), 3);
}

TEST_F(LineTypeHost, OnePatternTakesTheFirstFreeHostNumberWithAllNineValues) {
    UseMock();
    m_host.Set(2, {1, 1});
    m_host.Set(3, {2, 2});
    std::vector<float> defined;
    EXPECT_CALL(m_mock, HostDefineLineType(4, 9, _)).WillOnce(Invoke([&](const int&, const int& count, const float* v) {
        defined.assign(v, v + count);
    }));
    EXPECT_EQ(m_exDrawingPara.CreateOneLineType(5, 10), 4);
    EXPECT_THAT(defined, ElementsAre(10, 20, 30, 40, 50, 60, 70, 80, 90));
}

TEST_F(LineTypeHost, OnePatternWithEveryHostNumberInUseGivesZero) {
    UseMock();
    for (int type = 2; type <= 99; ++type) m_host.Set(type, {float(type)});
    EXPECT_CALL(m_mock, HostDefineLineType(_, _, _)).Times(0);
    EXPECT_EQ(m_exDrawingPara.CreateOneLineType("虚线", 100), 0);
}

TEST_F(LineTypeHost, SolidAndUnknownLineTypesDefineNothing) {
    int number = -1;
    EXPECT_EQ(CREATEONELINETYPE("实线", 100, &number), 0);
    EXPECT_EQ(number, 0);
    EXPECT_EQ(CREATEONELINETYPE1(99, 100, &number), 0);
    EXPECT_TRUE(m_recorder.CallsOf("HostDefineLineType").empty());
}

TEST_F(LineTypeHost, WithoutAnEngineLineTypeCallsAreHarmless) {
    m_pCfg = nullptr;
    EXPECT_EQ(m_exDrawingPara.CreatAllLineType(), 1);
    EXPECT_EQ(m_exDrawingPara.CreateOneLineType("虚线", 100), 0);
    EXPECT_EQ(m_exDrawingPara.GetLayerNum("没有"), 0);
}

TEST_F(LineTypeHost, MissingLayerIsReportedOnThePromptLine) {
    EXPECT_EQ(m_exDrawingPara.GetLayerNum("没有"), 0);
    EXPECT_THAT(m_recorder.Names(), ElementsAre("HostClearPrompt", "HostPrompt"));
    EXPECT_EQ(m_recorder.CallsOf("HostPrompt")[0], "HostPrompt(\"Not Find Layer Information!\", 27)");
    EXPECT_EQ(m_exDrawingPara.GetLayerNum("梁"), 3);
    int number = -1;
    GETLAYERNUM("Column", &number);
    EXPECT_EQ(number, 4);
}

TEST_F(LineTypeHost, DimTextInfoDefaultsAndKinds) {
    float first = 0, second = 0;
    GETDIMTEXTINFO("systemtextsize ", "钢筋标注", &first, &second);
    EXPECT_FLOAT_EQ(first, 2.8f) << "the width comes first";
    EXPECT_FLOAT_EQ(second, 3.5f);

    GETDIMTEXTINFO("字符宽高", "没有", &first, &second);
    EXPECT_FLOAT_EQ(first, 2.0f);
    EXPECT_FLOAT_EQ(second, 2.5f);
    EXPECT_THAT(m_recorder.CallsOf("HostPrompt"), ElementsAre("HostPrompt(\"Not Find Text Information!\", 26)"));

    second = 42;
    GETDIMTEXTINFO("系统尺寸标注表", "箭头大小", &first, &second);
    EXPECT_FLOAT_EQ(first, 1.5f);
    EXPECT_FLOAT_EQ(second, 42) << "untouched for dimension sizes";
    GETDIMTEXTINFO("SystemDimensionSize", "没有", &first, &second);
    EXPECT_FLOAT_EQ(first, 5.0f);
    EXPECT_FLOAT_EQ(second, 3.0f);

    m_recorder.Clear();
    first = second = 9;
    GETDIMTEXTINFO("别的表", "钢筋标注", &first, &second);
    EXPECT_FLOAT_EQ(first, 9);
    EXPECT_TRUE(m_recorder.Calls().empty()) << "an unknown kind does and says nothing";
}

TEST_F(LineTypeHost, FortranQueriesReportWhatTheyCannotFind) {
    char name[100] = "unchanged";
    int number = -1, color = -1, lineType = -1;
    float width = -1;
    GETLAYERINFO("没有", name, &number, &color, &lineType, &width);
    EXPECT_TRUE(Shown("Not Find Layer Information!"));
    EXPECT_EQ(number, -1);
    GETLAYERINFO("梁", name, &number, &color, &lineType, &width);
    EXPECT_STREQ(name, "梁");
    EXPECT_EQ(color, 1);

    int count = -1;
    float values[9] = {};
    number = 77;
    GETLINETYPEINFO(&number, &count, values);
    EXPECT_TRUE(Shown("Not Find LineType Information!"));
    GETLINETYPEINFO1("点划线", &number, &count, values);
    EXPECT_EQ(number, 3);
    EXPECT_EQ(count, 4);

    char value[32] = "", kind[32] = "";
    EXPECT_EQ(GETUSERPARAINFO("用户参数表", "钢筋等级", value, kind), 1);
    EXPECT_STREQ(value, "HRB400");
    EXPECT_EQ(GETUSERPARAINFO("用户参数表", "没有", value, kind), 0);
    EXPECT_EQ(m_recorder.CallsOf("HostPrompt").back(), "HostPrompt(\"Not Find Text Information!\", 26)");
}
