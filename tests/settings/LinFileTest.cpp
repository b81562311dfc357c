// Dash data as the line-type settings write it, and the ".LIN" reader on made-up and real files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/Shell.h"
#include "settings/LinFile.h"
#include "settings/LineTypePattern.h"
#include "settings/SettingsFixture.h"

using namespace ckw::settings;

TEST(LineTypePattern, DataIsNormalisedAndPicturedAsTheDialogShowsIt) {
    EXPECT_EQ(NormaliseDashData(ParseDashData("1.500,2.000,0.000,-0.250")), "1.5,2,0,-0.25");
    EXPECT_EQ(NormaliseDashData(ParseDashData("1,2,3,4,5,6,7,8,9,10")), "1,2,3,4,5,6,7,8,9") << "at most 9";
    EXPECT_EQ(NormaliseDashData(ParseDashData("12,-6,")), "12,-6") << "one trailing comma is dropped";
    EXPECT_EQ(NormaliseDashData(ParseDashData(",3")), "0,3") << "an empty piece reads as 0";
    EXPECT_EQ(NormaliseDashData(ParseDashData(" 5x,abc")), "5,0") << "C number reading";
    EXPECT_TRUE(ParseDashData("").empty());
    EXPECT_EQ(DashPicture({12.5, -3, 0}), "______  .______  .") << "12.5 / 2 rounds up to 7, capped at 6";
    EXPECT_EQ(DashPicture({0.00005, -0.00005}), "....") << "near zero is a dot either way";
    EXPECT_EQ(DashPicture({5.5e29, -1e300}), "______      ______      ") << "no int holds these dashes";

    CkwLineTypeDef_ unnamed;
    unnamed.SetLineTypeData("1,-1");
    RebuildLineTypeDescription(unnamed, 4);
    EXPECT_STREQ(unnamed.GetLineTypeDes(), "线型5 _ _ ");
    CkwLineTypeDef_ solid;
    solid.SetLineTypeName("实线");
    solid.SetLineTypeData("9,9");
    RebuildLineTypeDescription(solid, 0);
    EXPECT_STREQ(solid.GetLineTypeData(), "0,0");
    EXPECT_STREQ(solid.GetLineTypeDes(), "实线 ________");
}

TEST(LinFile, HeadersAndSimplePatternsArePairedAndEverythingElseSkipped) {
    std::istringstream in(
        ";; comment\r\n"
        "*DASHED,Dashed __ __\r\n"
        "A,.5,-.25\r\n"
        "*FENCE,Fence --[]--\n"
        "A,.25,-.1,[BOX,ltypeshp.shx,X=-.1,S=.1],-.1,1\n"
        "*LOST,header without pattern\n"
        "*LONG " +
        std::string(400, 'x') +
        "\n"
        "A," +
        std::string(300, ' ') +
        "1,-1\n"
        "*TEXTONLY\n"
        "B,1,2\n");
    auto lineTypes = ReadLinLineTypes(in, 10);
    ASSERT_EQ(lineTypes.size(), 2u);
    EXPECT_STREQ(lineTypes[0].GetLineTypeName(), "DASHED");
    EXPECT_STREQ(lineTypes[0].GetLineTypeData(), "0.5,-0.25");
    EXPECT_STREQ(lineTypes[0].GetLineTypeDes(), "DASHED _ _ ");
    EXPECT_STREQ(lineTypes[1].GetLineTypeName(), "LONG") << "a header directly after a header starts its own pair";
    EXPECT_STREQ(lineTypes[1].GetLineTypeData(), "1,-1");
}

TEST(LinFile, RealFilesGiveTheirSimpleLineTypes) {
    const std::string dir = std::string(CKW_TEST_DATA_DIR) + "/lin/";
    for (const auto& [file, simple] : std::vector<std::pair<std::string, size_t>>{
             {"qcad_qcadiso.lin", 38}, {"qcad_qcad.lin", 38}, {"qcad_qcadiso_simple_2014-10-07_0519a05455.lin", 38}}) {
        std::vector<CkwLineTypeDef_> lineTypes;
        ASSERT_TRUE(ReadLinFile(dir + file, 0, lineTypes)) << file;
        EXPECT_EQ(lineTypes.size(), simple) << file;
        for (const auto& lineType : lineTypes) {
            EXPECT_EQ(std::string(lineType.GetLineTypeData()).find_first_not_of("0123456789.,-"), std::string::npos)
                << file << ": " << lineType.GetLineTypeName();
        }
    }
    std::vector<CkwLineTypeDef_> none;
    EXPECT_FALSE(ReadLinFile(dir + "missing.lin", 0, none));
}

namespace {
class TextEditor : public ckw::test::SettingsFixture {
protected:
    void TearDown() override {
        unsetenv("VISUAL");
        unsetenv("EDITOR");
        SettingsFixture::TearDown();
    }
};
}  // namespace

TEST_F(TextEditor, TheEditorCommandComesFromTheEnvironmentAndThePathStaysOneArgument) {
    const std::string path = ckw::text::Utf8ToGbk(ckw::text::U8(u8"/tmp/a b;$(x)/用户构件图层表.txt"));
    const std::string pathUtf8 = ckw::text::GbkToUtf8(path);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
    setenv("EDITOR", "vi", 1);
    ckw::shell::OpenInTextEditor(path);
    setenv("VISUAL", "gedit --new-window", 1);
    ckw::shell::OpenInTextEditor(path);
    ASSERT_EQ(m_launcher.started.size(), 2u);
    EXPECT_EQ(m_launcher.started[0], (std::vector<std::string>{"xdg-open", pathUtf8}))
        << "a terminal editor without a display: the associated program";
    EXPECT_EQ(m_launcher.started[1], (std::vector<std::string>{"sh", "-c", "exec $VISUAL \"$1\"", "sh", pathUtf8}));
}
