// "图框设定" played through scripts: the rows shown, the choices read back, the browse button,
// and [TAB] during placement opening it.
#include <gtest/gtest.h>

#include <ckw/SheetCommands.h>
#include "SheetFixture.h"
#include "dialog/DialogHeadless.h"
#include "sheet/FrameSettingsDialog.h"

namespace ckw::test {
namespace {

using dlg::ScriptSession;

dlg::DialogScript DialogSteps(const std::u8string& utf8) { return dlg::DialogScript::Parse(ckw::text::U8(utf8)); }

class FrameSettingsDialogTest : public SheetFixture {};

TEST_F(FrameSettingsDialogTest, ShowsTheSettingsAndReadsTheChoicesBack) {
    ScriptSession session(
        DialogSteps(u8R"(
dialog 1009
expect caption 图框设定
expect rows 6
expect cols 2
expect width 0 120
expect cell 0 0 图纸号
expect cell 0 1 1号
expect cell 1 1 1-横放
expect cell 2 1 0
expect cell 4 1 1-需要
expect cell 5 1 BTL.T
choose 0 1 3号
choose 1 1 2-竖放
cell 2 1 150
cell 3 1 -20
choose 4 1 0-不需要
ok
)"));
    geom::FrameSettingsDialog dialog{geom::FrameSettings{}};
    EXPECT_EQ(dialog.DoModal(), dlg::IDOK);
    EXPECT_TRUE(session.Succeeded()) << session.Report();
    const auto& s = dialog.Settings();
    EXPECT_EQ(s.sheet, 3);
    EXPECT_EQ(s.orientation, 1);
    EXPECT_EQ(s.lengthening, 150);
    EXPECT_EQ(s.widening, -20);
    EXPECT_EQ(s.withBlocks, 0);
}

TEST_F(FrameSettingsDialogTest, BrowseKeepsThePathAndShowsTheName) {
    TempDir elsewhere;
    std::string path = (elsewhere.path() / "my title").string();
    ScriptSession session(DialogSteps(u8"browse 5 1\nfile \"" + std::u8string(path.begin(), path.end()) +
                                      u8"\"\nexpect cell 5 1 \"MY TITLE.T\"\nok\n"));
    geom::FrameSettingsDialog dialog{geom::FrameSettings{}};
    dialog.DoModal();
    EXPECT_TRUE(session.Succeeded()) << session.Report();
    EXPECT_EQ(dialog.Settings().titleFile, "MY TITLE.T");
    EXPECT_EQ(dialog.Settings().titlePath, ckw::text::Utf8ToGbk(path));
    EXPECT_EQ(session.Runner().Requests(), (std::vector<std::string>{"file"}));
}

TEST_F(FrameSettingsDialogTest, TabDuringPlacementOpensTheDialog) {
    ScriptSession session(DialogSteps(u8"dialog 1009\nchoose 0 1 2号\nok\n"));
    Script("tab\npoint 0 0\n");
    m_exDrawingPara.SetDrawingScale(1);
    DragDrawFrame();
    m_exDrawingPara.SetDrawingScale(100);
    EXPECT_TRUE(session.Succeeded()) << session.Report();
    EXPECT_EQ(Rectangles().back(), (std::vector<float>{0, 0, 594, 420}));
}

TEST_F(FrameSettingsDialogTest, CancelKeepsTheSheet) {
    ScriptSession session(DialogSteps(u8"dialog 1009\nchoose 0 1 0号\ncancel\n"));
    Script("tab\npoint 0 0\n");
    CUtil().DragDrawingFrame(4, 0, 0, 0, 1, 0);
    EXPECT_TRUE(session.Succeeded()) << session.Report();
    EXPECT_EQ(Rectangles().back(), (std::vector<float>{0, 0, 297, 210}));
}

}  // namespace
}  // namespace ckw::test
