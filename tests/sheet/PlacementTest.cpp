// Placing frames with the cursor: the rubber-band box, [TAB] and [Esc], the recorded frame, and
// paper-space drawings (kind 2005).
#include <gmock/gmock.h>

#include <cmath>
#include <sstream>

#include <ckw/DrawingRecords.h>
#include <ckw/SheetCommands.h>
#include "SheetFixture.h"
#include "sheet/FrameSettings.h"
#include "support/RecordingEngine.h"

namespace ckw::test {
namespace {

using ::testing::ElementsAre;
using Box = std::vector<float>;

struct FrameRecord {
    int sheet = -1, orientation = -1, length = -1, width = -1;
    float scale = -1;
    char title[64] = "unset";
};

// The numbers of a logged polyline call, after its count.
std::vector<float> Numbers(const std::string& call) {
    std::vector<float> values;
    std::string rest = call.substr(call.find('['));
    for (char& c : rest)
        if (c == '[' || c == ']' || c == ',' || c == ')') c = ' ';
    std::istringstream in(rest);
    for (float v; in >> v;) values.push_back(v);
    return values;
}

MATCHER_P(NearlyEq, expected, "") {
    if (arg.size() != expected.size()) return false;
    for (size_t i = 0; i < arg.size(); ++i)
        if (std::abs(arg[i] - expected[i]) > 1e-3f) return false;
    return true;
}

FrameRecord ReadFrameRecord() {
    FrameRecord r;
    kwRead_DrawingFrame(r.sheet, r.orientation, r.scale, r.length, r.width, r.title, sizeof r.title);
    return r;
}

class PlacementTest : public SheetFixture {
protected:
    void TearDown() override {
        geom::SetFrameSettingsEditor(nullptr);
        SheetFixture::TearDown();
    }
};

TEST_F(PlacementTest, DragBoxAnchorsTheCursor) {
    RecordingEngine rec(&eng);
    m_pCfg = &rec;
    Script("move 10 20\npoint 100 200\n");
    CUtil util;
    float x = 0, y = 0, w = 40, h = 30, angle = 0;
    int xAnchor = 1, yAnchor = 3, key = -1;
    util.kwDragBox(x, y, w, h, angle, xAnchor, yAnchor, key);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 200);
    auto outlines = rec.CallsOf("HostDrawPolyline");
    // Drawn and erased at the start, at the move, and at the pick.
    ASSERT_EQ(outlines.size(), 4u);
    EXPECT_THAT(Numbers(outlines[2]), NearlyEq(std::vector<float>{-30, 10, 10, -30, -30, -10, -10, 20, 20, -10}));
    EXPECT_EQ(outlines[2], outlines[3]);
    EXPECT_EQ(rec.CallsOf("HostSetRubberBand"),
              (std::vector<std::string>{"HostSetRubberBand(1)", "HostSetRubberBand(0)"}));
    EXPECT_EQ(eng.TemporaryShapes(), 0u);
    m_pCfg = &eng;
}

TEST_F(PlacementTest, DragBoxCentredAndTurned) {
    RecordingEngine rec(&eng);
    m_pCfg = &rec;
    Script("point 0 0\n");
    float x = 0, y = 0, w = 20, h = 10, angle = 3.14159265f / 2;
    int xAnchor = 2, yAnchor = 2, key = -1;
    CUtil().kwDragBox(x, y, w, h, angle, xAnchor, yAnchor, key);
    // Corner (-10, -5) turned a quarter anticlockwise is (5, -10).
    EXPECT_THAT(Numbers(rec.CallsOf("HostDrawPolyline").front()),
                NearlyEq(std::vector<float>{5, 5, -5, -5, 5, -10, 10, 10, -10, -10}));
    m_pCfg = &eng;
}

TEST_F(PlacementTest, InterruptionEndsTheDragLikeEsc) {
    Script("move 1 1\nbreak\nmove 2 2\n");
    float x = 0, y = 0, w = 10, h = 10, angle = 0;
    int xAnchor = 3, yAnchor = 1, key = -1;
    CUtil().kwDragBox(x, y, w, h, angle, xAnchor, yAnchor, key);
    EXPECT_EQ(key, 1);
    EXPECT_EQ(eng.TemporaryShapes(), 0u);
}

TEST_F(PlacementTest, FrameCommandDrawsAtThePickedPointAndRecordsIt) {
    WriteStandardBlocks();
    Script("move 5 5\npoint 1000 2000\n");
    DragDrawFrame();
    EXPECT_THAT(Rectangles(), ElementsAre(Box{3500, 3000, 84100, 60400}, Box{1000, 2000, 85100, 61400}));
    EXPECT_EQ(Drawn(engine::kBlockInsert).size(), 2u);
    FrameRecord r = ReadFrameRecord();
    EXPECT_EQ(r.sheet, 1);
    EXPECT_EQ(r.orientation, 0);
    EXPECT_EQ(r.scale, 100);
    EXPECT_EQ(r.length, 841);
    EXPECT_EQ(r.width, 594);
    EXPECT_STREQ(r.title, "BTL.T");
    EXPECT_EQ(eng.PromptLine(), "请移动光标确定图框位置 ([TAB]改图纸号,[Esc]不标) ");
    // The user coordinates are back to identity after the frame.
    float ucs[9];
    eng.HostGetUserCoords(0, ucs);
    EXPECT_EQ(ucs[0], 0);
}

TEST_F(PlacementTest, EscDrawsAndRecordsNothing) {
    WriteStandardBlocks();
    Script("move 5 5\nesc\npoint 1 1\n");
    DragDrawFrame();
    EXPECT_TRUE(Drawn(engine::kPolyline).empty());
    EXPECT_TRUE(Drawn(engine::kBlockInsert).empty());
    EXPECT_EQ(ReadFrameRecord().sheet, -1);
}

TEST_F(PlacementTest, TabChangesTheSheetAndTheRecordNamesIt) {
    WriteStandardBlocks();
    geom::SetFrameSettingsEditor([](geom::FrameSettings& s) {
        EXPECT_EQ(s.sheet, 1);
        s.sheet = 2;
        s.orientation = 1;
        s.lengthening = 100;
        s.withBlocks = 0;
        return true;
    });
    m_exDrawingPara.SetDrawingScale(50);
    Script("tab\npoint 0 0\n");
    DragDrawFrame();
    EXPECT_THAT(Rectangles().back(), (Box{0, 0, 420 * 50, 694 * 50}));
    EXPECT_TRUE(Drawn(engine::kBlockInsert).empty());
    FrameRecord r = ReadFrameRecord();
    EXPECT_EQ(r.sheet, 2);
    EXPECT_EQ(r.orientation, 1);
    EXPECT_EQ(r.scale, 50);
    EXPECT_EQ(r.length, 694);
    EXPECT_EQ(r.width, 420);
    m_exDrawingPara.SetDrawingScale(100);
}

TEST_F(PlacementTest, CancelledSettingsKeepTheSheet) {
    Script("tab\npoint 0 0\n");
    DragDrawFrame();  // no dialog registered: cancelled
    EXPECT_THAT(Rectangles().back(), (Box{0, 0, 84100, 59400}));
}

TEST_F(PlacementTest, PaperSpaceDrawingUsesScaleOneAndGetsItsCoordinatesBack) {
    kwWrite_DrawingInfo(1, "PLAN", 0, 3, "", 2005);
    const float ucs[9] = {500, 600, 0, 2, 2, 1, 0, 0, 0};
    eng.HostSetUserCoords(ucs);
    Script("point 10 20\n");
    DragDrawFrame();
    EXPECT_THAT(Rectangles().back(), (Box{10, 20, 851, 614}));
    EXPECT_EQ(ReadFrameRecord().scale, 1);
    float now[9];
    eng.HostGetUserCoords(0, now);
    EXPECT_THAT(std::vector<float>(now, now + 9), ElementsAre(500, 600, 0, 2, 2, 1, 0, 0, 0));

    // Also after [Esc].
    Script("esc\n");
    DragDrawFrame();
    eng.HostGetUserCoords(0, now);
    EXPECT_EQ(now[0], 500);
}

TEST_F(PlacementTest, DragDrawingFrameTakesGivenSides) {
    Script("point 0 0\npoint 0 0\n");
    CUtil util;
    util.DragDrawingFrame(3, 1000, 0, 0, 1, 0);
    // A zero side keeps the sheet's standard size.
    EXPECT_THAT(Rectangles().back(), (Box{0, 0, 1000, 297}));
    util.DragDrawingFrame(7, 0, 0, 1, 2, 0);
    EXPECT_THAT(Rectangles().back(), (Box{0, 0, 1188, 1682}));
}

TEST_F(PlacementTest, SettingsNamesAndPaper) {
    EXPECT_EQ(geom::TitleBlockName("my.t"), "MY.T");
    EXPECT_EQ(geom::TitleBlockName("/x/y/tb"), "TB.T");
    EXPECT_EQ(geom::TitleBlockPath("BTL.T"), CfgGbk() + "/BTL.T");
    EXPECT_EQ(geom::TitleBlockPath("d\\BTL.T"), "d\\BTL.T");
    // A GBK trail byte 0x5C is not a directory separator.
    EXPECT_EQ(geom::TitleBlockPath("\xD5\x5C.T"), CfgGbk() + "/\xD5\x5C.T");
    geom::FrameSettings s;
    s.sheet = 0;
    s.widening = -41;
    float l = 0, w = 0;
    s.PaperSize(l, w);
    EXPECT_EQ(l, 1189);
    EXPECT_EQ(w, 800);
}

}  // namespace
}  // namespace ckw::test
