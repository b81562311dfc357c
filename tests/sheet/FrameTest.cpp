// Sheet frames: paper sizes, frame lines, centring marks, pens, and the blocks placed against the
// inner border.
#include <gmock/gmock.h>

#include <fstream>

#include "SheetFixture.h"
#include "support/RecordingEngine.h"

namespace ckw::test {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;
using Box = std::vector<float>;

class FrameTest : public SheetFixture {
protected:
    void Frame(float length, float width, int orientation, float scale, int withBlocks = 0,
               const char* title = "BTL.T") {
        float margin = 10, binding = 25;
        CUtil().DRWFRAME(KeloPoint2d(0, 0), length, width, margin, binding, orientation, withBlocks, title, scale);
    }
    std::vector<Box> Lines() {
        std::vector<Box> lines;
        for (const auto& e : Drawn(engine::kLine)) lines.push_back(e.values);
        return lines;
    }
};

TEST_F(FrameTest, SheetSizesFallBackToSheetOne) {
    CUtil util;
    float l = 0, w = 0;
    const float expected[][2] = {{1189, 841}, {841, 594}, {594, 420}, {420, 297}, {297, 210}};
    for (int sheet = 0; sheet <= 4; ++sheet) {
        util.GetDrawingSize(sheet, l, w);
        EXPECT_EQ(l, expected[sheet][0]);
        EXPECT_EQ(w, expected[sheet][1]);
    }
    for (int other : {7, -1, 5}) {
        util.GetDrawingSize(other, l, w);
        EXPECT_EQ(l, 841);
        EXPECT_EQ(w, 594);
    }
}

TEST_F(FrameTest, LandscapeAtScale100) {
    Frame(841, 594, 0, 100);
    EXPECT_THAT(Rectangles(), ElementsAre(Box{2500, 1000, 83100, 58400}, Box{0, 0, 84100, 59400}));
    // Marks from the paper edge to 5 units (not scaled) inside the inner border.
    EXPECT_THAT(Lines(), UnorderedElementsAre(Box{42050, 0, 42050, 1005}, Box{42050, 59400, 42050, 58395},
                                              Box{0, 29700, 2505, 29700}, Box{84100, 29700, 83095, 29700}));
}

TEST_F(FrameTest, PortraitPutsTheBindingSideOnTop) {
    Frame(841, 594, 1, 100);
    EXPECT_THAT(Rectangles(), ElementsAre(Box{1000, 1000, 58400, 81600}, Box{0, 0, 59400, 84100}));
    EXPECT_THAT(Lines(), UnorderedElementsAre(Box{29700, 0, 29700, 1005}, Box{29700, 84100, 29700, 81595},
                                              Box{0, 42050, 1005, 42050}, Box{59400, 42050, 58395, 42050}));
}

TEST_F(FrameTest, ScaledFormDrawsTheInnerBorderHeavyOnTheFrameLayer) {
    RecordingEngine rec(&eng);
    m_pCfg = &rec;
    Frame(841, 594, 0, 100);
    char name[100];
    int layer = 0, colour = 0, lineType = 0;
    float width = 0;
    m_exDrawingPara.GetLayerInfo("图框", name, sizeof name, layer, colour, lineType, width);
    const int code = static_cast<int>(width * 1000.0f);
    auto pen = [&](int widthCode) {
        return "HostSetPen(" + std::to_string(layer) + ", " + std::to_string(lineType) + ", " +
               std::to_string(widthCode) + ", " + std::to_string(colour) + ", 1)";
    };
    EXPECT_THAT(rec.CallsOf("HostSetPen"), ElementsAre(pen(code * 4), pen(code)));

    rec.Clear();
    float l = 841, w = 594, margin = 10, binding = 25;
    int orientation = 0, blocks = 0;
    CUtil().DRWFRAME(KeloPoint2d(0, 0), l, w, margin, binding, orientation, blocks);
    EXPECT_THAT(rec.CallsOf("HostSetPen"), ElementsAre(pen(code), pen(code)));
    m_pCfg = &eng;
}

TEST_F(FrameTest, LengthenedSheetAndOrigin) {
    float l = 1041, w = 644, margin = 10, binding = 25;
    int orientation = 0, blocks = 0;
    CUtil().DRWFRAME(KeloPoint2d(100, 200), l, w, margin, binding, orientation, blocks);
    EXPECT_THAT(Rectangles(), ElementsAre(Box{125, 210, 1131, 834}, Box{100, 200, 1141, 844}));
}

// Where the blocks land: the title block's lower-right corner on the inner lower-right corner, the
// countersign strip's upper-right corner on the inner upper-left corner (out in the binding margin).
TEST_F(FrameTest, LandscapeBlocksStandAgainstTheInnerBorder) {
    WriteStandardBlocks();
    Frame(841, 594, 0, 100, 1);
    auto inserts = Drawn(engine::kBlockInsert);
    ASSERT_EQ(inserts.size(), 2u);
    // block, x, y, z, sx, sy, sz, rotation
    EXPECT_THAT(inserts[0].values, ElementsAre(998, 83100 - 18000, 1000, 0, 1, 1, 1, 0));
    EXPECT_THAT(inserts[1].values, ElementsAre(997, 2500 - 2000, 58400 - 10000, 0, 1, 1, 1, 0));
    // The definitions carry the scale: the title block is 18000 x 5600 drawing units.
    std::array<float, 4> box{};
    ASSERT_TRUE(eng.Current().Extents(box));
    EXPECT_FLOAT_EQ(box[0], 0);
    EXPECT_FLOAT_EQ(box[2], 84100);
    EXPECT_TRUE(m_ui.messages().empty());
}

TEST_F(FrameTest, PortraitBlocksAreTurned) {
    WriteStandardBlocks();
    Frame(841, 594, 1, 1, 1);
    auto inserts = Drawn(engine::kBlockInsert);
    ASSERT_EQ(inserts.size(), 2u);
    // Title at the inner lower-left (10, 10): insertion (x - ymin, y + xmax), turned by -90.
    EXPECT_THAT(inserts[0].values, ElementsAre(998, 10, 10 + 180, 0, 1, 1, 1, -90));
    // Countersign at the inner upper-right (584, 816): (x - ymax, y + xmax).
    EXPECT_THAT(inserts[1].values, ElementsAre(997, 584 - 100, 816 + 20, 0, 1, 1, 1, -90));
}

TEST_F(FrameTest, MissingTitleBlockIsReportedAndTheFrameStillDrawn) {
    WriteBlock("HQL.T", "line values=0,0,20,100\n");
    Frame(841, 594, 0, 100, 1, "NOSUCH.T");
    EXPECT_TRUE(Shown("没有找到系统文件" + CfgGbk() + "/NOSUCH.T!!"));
    EXPECT_EQ(Rectangles().size(), 2u);
    auto inserts = Drawn(engine::kBlockInsert);
    ASSERT_EQ(inserts.size(), 1u);
    EXPECT_EQ(inserts[0].values[0], 997);
}

TEST_F(FrameTest, TitleFileWithADirectoryIsUsedAsGiven) {
    TempDir elsewhere;
    WriteBlockAt(elsewhere.path() / "MY.T", "line values=0,0,100,40\n");
    WriteBlock("HQL.T", "line values=0,0,20,100\n");
    std::string path = ckw::text::Utf8ToGbk((elsewhere.path() / "MY.T").string());
    Frame(841, 594, 0, 1, 1, path.c_str());
    auto inserts = Drawn(engine::kBlockInsert);
    ASSERT_EQ(inserts.size(), 2u);
    EXPECT_EQ(inserts[0].values[1], 831 - 100);  // inner right edge 25 + 806
}

TEST_F(FrameTest, UnloadableBlockIsSilentlySkipped) {
    std::ofstream(m_cfg / "BTL.T") << "not a drawing";
    WriteBlock("HQL.T", "line values=0,0,20,100\n");
    Frame(841, 594, 0, 1, 1);
    EXPECT_EQ(Drawn(engine::kBlockInsert).size(), 1u);
    EXPECT_TRUE(m_ui.messages().empty());
}

TEST_F(FrameTest, ScaledBlockSkipsBlockNumbersInUse) {
    WriteStandardBlocks();
    CUtil util;
    std::string path = ckw::text::Utf8ToGbk((m_cfg / "BTL.T").string());
    float extents[6];
    int error = 1;
    eng.HostLoadBlockFile(path.c_str(), int(path.size()), 998, extents, error);
    ASSERT_EQ(error, 0);
    util.ZDRWBTL("BTL.T", 998, KeloPoint2d(1000, 1000), 1, -1, 0, 10.0f);
    auto inserts = Drawn(engine::kBlockInsert);
    ASSERT_EQ(inserts.size(), 1u);
    EXPECT_THAT(inserts[0].values, ElementsAre(999, 1000 - 1800, 1000, 0, 1, 1, 1, 0));
    EXPECT_EQ(eng.Current().Blocks().count(999), 1u);

    // The unscaled form replaces the block of its number.
    util.ZDRWBTL("HQL.T", 998, KeloPoint2d(0, 0), 0, 1, 0);
    EXPECT_THAT(Drawn(engine::kBlockInsert).back().values, ElementsAre(998, 0, -100, 0, 1, 1, 1, 0));
}

}  // namespace
}  // namespace ckw::test
