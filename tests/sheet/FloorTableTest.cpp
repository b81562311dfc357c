// The floor elevation table: rows from the caption up to the roof, texts and their places.
#include <gmock/gmock.h>

#include <ckw/DrawingRecords.h>
#include "SheetFixture.h"

namespace ckw::test {
namespace {

using ::testing::ElementsAre;

class FloorTableTest : public SheetFixture {
protected:
    // Texts with their centre point, bottom row first as drawn.
    struct Placed {
        std::string text;
        float x, y;
        bool operator==(const Placed&) const = default;
    };
    std::vector<Placed> PlacedTexts() {
        std::vector<Placed> placed;
        for (const auto& e : Drawn(engine::kChineseText)) placed.push_back({e.text, e.values[2], e.values[3]});
        for (const auto& e : Drawn(engine::kWesternText)) placed.push_back({e.text, e.values[2], e.values[3]});
        return placed;
    }
    bool Has(const std::string& text, float x, float y) {
        for (const auto& p : PlacedTexts())
            if (p.text == text && std::abs(p.x - x) < 0.01f && std::abs(p.y - y) < 0.01f) return true;
        return false;
    }
};

TEST_F(FloorTableTest, OneFloorGivesCaptionFloorAndRoofRows) {
    Script("move 1 1\npoint 1000 2000\n");
    float elevations[] = {3.0f}, heights[] = {3600.0f};
    CUtil().kwDrawFloorTable(100, 1, elevations, heights);
    // Text size of bar marks in the small library: 3.5 x 2.8, times the scale.
    const float h = 350, s = 100, R = 2 * h;
    EXPECT_TRUE(Has("结构层楼面标高", 1000 + 20 * s, 2000 + 6 * h - 2.25f * h));
    EXPECT_TRUE(Has("结  构  层  高", 1000 + 20 * s, 2000 + 6 * h - 4.5f * h));
    const float base = 2000 + 6 * h;
    EXPECT_TRUE(Has("层 号", 1000 + 5 * s, base + R / 2));
    EXPECT_TRUE(Has("标高(m)", 1000 + 17.5f * s, base + R / 2));
    EXPECT_TRUE(Has("层高(m)", 1000 + 32.5f * s, base + R / 2));
    EXPECT_TRUE(Has("1", 1000 + 5 * s, base + 1.5f * R));
    EXPECT_TRUE(Has("3.000", 1000 + 17.5f * s, base + 1.5f * R));
    EXPECT_TRUE(Has("3.600", 1000 + 32.5f * s, base + 1.5f * R));
    EXPECT_TRUE(Has("屋面", 1000 + 5 * s, base + 2.5f * R));
    EXPECT_TRUE(Has("6.600", 1000 + 17.5f * s, base + 2.5f * R));
    EXPECT_EQ(PlacedTexts().size(), 10u);
    // Title line, three row lines, top line, four verticals.
    auto lines = Drawn(engine::kLine);
    ASSERT_EQ(lines.size(), 1u + 3u + 1u + 4u);
    EXPECT_THAT(lines[0].values, ElementsAre(1000 + 8 * s, 2000, 1000 + 32 * s, 2000));
    EXPECT_THAT(lines[3].values, ElementsAre(1000, base + 2 * R, 1000 + 40 * s, base + 2 * R));
    // Title pen is heavier than the rows'.
    EXPECT_EQ(lines[0].WidthCode(), 4);
    EXPECT_EQ(lines[1].WidthCode(), 1);
    EXPECT_EQ(eng.PromptLine(), "请选择楼层表的插入点");
}

TEST_F(FloorTableTest, ElevationsPrintWithThreeDecimals) {
    Script("point 0 0\n");
    float elevations[] = {-0.05f, 4.15f, 7.75f}, heights[] = {4200, 3600, 3000};
    CUtil().kwDrawFloorTable(1, 3, elevations, heights);
    auto texts = Texts();
    for (const char* t : {"-0.050", "4.150", "7.750", "4.200", "3.000", "10.750", "2", "3"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), t), texts.end()) << t;
}

TEST_F(FloorTableTest, OtherKeysRepeatTheDragAndEscDrawsNothing) {
    Script("tab\npoint 0 0\n");
    float elevations[] = {0}, heights[] = {3000};
    CUtil util;
    util.kwDrawFloorTable(1, 1, elevations, heights);
    EXPECT_FALSE(Texts().empty());
    eng.Reset();
    m_pCfg = &eng;
    Script("esc\npoint 0 0\n");
    util.kwDrawFloorTable(1, 1, elevations, heights);
    EXPECT_TRUE(eng.Current().Entities().empty());
}

TEST_F(FloorTableTest, NoFloorsDrawsNothing) {
    Script("point 0 0\n");
    CUtil().kwDrawFloorTable(1, 0, nullptr, nullptr);
    EXPECT_TRUE(eng.Current().Entities().empty());
    EXPECT_EQ(eng.PendingInput(), 1u);
}

TEST_F(FloorTableTest, PaperSpaceDrawsAtScaleOneAndRestoresCoordinates) {
    kwWrite_DrawingInfo(1, "PLAN", 0, 3, "", 2005);
    const float ucs[9] = {50, 60, 0, 1, 1, 1, 0, 0, 0};
    eng.HostSetUserCoords(ucs);
    Script("esc\n");
    float elevations[] = {0}, heights[] = {3000};
    CUtil util;
    util.kwDrawFloorTable(100, 1, elevations, heights);
    float now[9];
    eng.HostGetUserCoords(0, now);
    EXPECT_EQ(now[0], 50);

    Script("point 0 0\n");
    util.kwDrawFloorTable(100, 1, elevations, heights);
    EXPECT_TRUE(Has("层 号", 5, 6 * 3.5f + 3.5f));
    eng.HostGetUserCoords(0, now);
    EXPECT_EQ(now[1], 60);
}

}  // namespace
}  // namespace ckw::test
