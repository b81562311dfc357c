// A table drawn on the reference engine: lines joined along runs, none inside a merged cell, hidden
// and heavy borders, layers of the parameter library, texts placed and fitted into their cells.
#include <gmock/gmock.h>

#include "tables/TableDrawing.h"
#include "tables/TablesFixture.h"

namespace ckw::test {
namespace {

using tables::UserTable;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

class TableDrawing : public TablesFixture {
protected:
    // Widths 10, 20, 30 and heights 8, 6 mm; the first two cells of row 0 merged.
    UserTable Sample() {
        UserTable t(2, 3, 10, 8);
        t.SetColWidth(1, 20);
        t.SetColWidth(2, 30);
        t.SetRowHeight(1, 6);
        EXPECT_TRUE(t.Merge(0, 0, 1, 2).ok());
        t.Cell(0, 0).text = "AB";
        return t;
    }
    // Lines as {x1, y1, x2, y2, width code}.
    std::vector<std::vector<float>> Lines() {
        std::vector<std::vector<float>> lines;
        for (const auto& e : Drawn(engine::kLine))
            lines.push_back({e.values[0], e.values[1], e.values[2], e.values[3], float(e.WidthCode())});
        return lines;
    }
};

TEST_F(TableDrawing, LinesSkipMergedCellsAndHiddenSidesAndHeavySidesAreWider) {
    UserTable t = Sample();
    t.SetBorders(1, 2, tables::kLeft | tables::kTop | tables::kBottom, 0);  // the right side of the last cell off
    t.SetBorders(0, 2, tables::kAllBorders, tables::kTop);                  // its top heavy
    tables::DrawUserTable(t, 100, 500, 2);
    // Table layer: number 90, 0.25 mm.
    EXPECT_THAT(Lines(), UnorderedElementsAre(
                             // across: the top line changes pen over the last column
                             ElementsAre(100, 500, 160, 500, 250), ElementsAre(160, 500, 220, 500, 500),
                             ElementsAre(100, 484, 220, 484, 250), ElementsAre(100, 472, 220, 472, 250),
                             // down: none through the merged cell, none on the hidden side
                             ElementsAre(100, 500, 100, 472, 250), ElementsAre(120, 484, 120, 472, 250),
                             ElementsAre(160, 500, 160, 472, 250), ElementsAre(220, 500, 220, 484, 250)));
    for (const auto& e : Drawn(engine::kLine)) EXPECT_EQ(e.Layer(), 90);

    auto texts = TextsDrawn();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Layer(), 5);
    // Centred in the merged cell, 3.5 mm high with width factor 0.7, at scale 2.
    EXPECT_THAT(texts[0].values, ElementsAre(7, testing::FloatNear(4.9f, 1e-4f), 130, 492, 0, 102, 102));
}

TEST_F(TableDrawing, TextsSitWhereTheirAlignmentSaysAndFitTheirCells) {
    struct Case {
        int alignment;
        const char* text;
        int heightTenths;
        float x, y, hAlign, vAlign, charHeight, charWidth;
    } cases[] = {
        {1, "A", 35, 1, -0.5f, 101, 103, 3.5f, 2.45f},             // top-left, 1 and 0.5 mm in
        {6, "A", 35, 9, -3, 103, 102, 3.5f, 2.45f},                // middle-right
        {8, "A", 35, 5, -5.5f, 102, 101, 3.5f, 2.45f},             // bottom-centre
        {5, "123456789012", 35, 5, -3, 102, 102, 3.5f, 8.0f / 6},  // narrowed to the 8 mm between the pads
        {5, "钢筋", 100, 5, -3, 102, 102, 5, 3.5f},                // lowered to the 5 mm between the pads
    };
    for (const Case& c : cases) {
        eng.Reset();
        m_pCfg = &eng;
        UserTable t(1, 1, 10, 6);
        t.Cell(0, 0).text = c.text;
        t.Cell(0, 0).alignment = c.alignment;
        t.Cell(0, 0).textHeightTenths = c.heightTenths;
        tables::DrawUserTable(t, 0, 0, 1);
        auto texts = TextsDrawn();
        ASSERT_EQ(texts.size(), 1u) << c.text;
        EXPECT_THAT(texts[0].values,
                    ElementsAre(testing::FloatNear(c.charHeight, 1e-4f), testing::FloatNear(c.charWidth, 1e-4f),
                                testing::FloatNear(c.x, 1e-4f), testing::FloatNear(c.y, 1e-4f), 0, c.hAlign, c.vAlign))
            << c.alignment << " " << c.text;
    }
}

}  // namespace
}  // namespace ckw::test
