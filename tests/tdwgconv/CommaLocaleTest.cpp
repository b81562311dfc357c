// A toolkit may switch the C library to a locale that writes decimals with a comma: the pictures,
// the DXF export and the DXF reader still write and read '.' decimals.
#include <sstream>

#include "DxfWriter.h"
#include <ckw/DrawingPara.h>
#include <ckw/ReferenceEngine.h>
#include "Readers.h"
#include "TdwgFixture.h"

namespace tdwg::test {
namespace {

namespace eng = ckw::engine;

TEST(CommaLocale, LineTypesPicturesAndDxfKeepPointDecimals) {
    const ckw::test::CommaDecimalLocale comma;
    if (!comma.active()) GTEST_SKIP() << "no locale with a decimal comma (package locales)";
    int count = 0;
    float dashes[9] = {};
    CDrawingPara::SplitLineTypeData("0.5,-2.5", count, dashes);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(dashes[0], 0.5f);
    EXPECT_EQ(dashes[1], -2.5f);

    eng::Drawing drawing;
    drawing.Add({eng::kLine, 0, 0, {1, 1, 0, 7}, {1.5f, -2.25f, 3.5f, 4.75f}, "", {}, false});
    std::ostringstream svg;
    eng::WriteSvg(drawing, svg);
    EXPECT_NE(svg.str().find("1.5"), std::string::npos) << svg.str();
    EXPECT_EQ(svg.str().find("1,5"), std::string::npos) << svg.str();

    const std::string dxf = ckw::dxf::DxfText(drawing);
    EXPECT_NE(dxf.find("\n-2.25\n"), std::string::npos);
    Drawing back;
    std::string error;
    ASSERT_TRUE(ReadDxfBytes(dxf, back, error)) << error;
    ASSERT_EQ(back.entities.size(), 1u);
    ASSERT_EQ(back.entities[0].vertices.size(), 2u);
    EXPECT_EQ(back.entities[0].vertices[0].x, 1.5);
    EXPECT_EQ(back.entities[0].vertices[1].y, 4.75);
}

}  // namespace
}  // namespace tdwg::test
