// The drawing text (dump / load) and the SVG picture.
#include <fstream>
#include <sstream>

#include "EngineFixture.h"
#include "base/GbkText.h"

namespace ckw::test {
namespace {

std::string Dump(const engine::Drawing& d) {
    std::ostringstream out;
    engine::WriteDrawingText(d, out);
    return out.str();
}

bool Load(const std::string& text, engine::Drawing& d, std::string& error) {
    std::istringstream in(text);
    return engine::ReadDrawingText(in, d, error);
}

class DrawingTextTest : public EngineTest {
protected:
    void Fill() {
        eng.Current().DefineLayer({5, "柱 \"quoted\" \\ back", 2, 250, 1, 0});
        Pen(5, 2, 250, 1);
        Line(0.1f, -0.2f, 1e7f, 3.14159274f);
        int words[] = {10000, '{', 10010, 2, 0x4B24, 0x43, 10003, 1, 0x82, 10099, '}', -2147483647 - 1};
        eng.HostSetNewEntityXData(12, words);
        Text(
            "钢筋\x82"
            "20\t@200",
            1, 2);
        eng.HostSetNewEntityXData(0, words);
        std::string multi = "第一行\n second";
        eng.Current().Add({engine::kMultilineText, 0, 0, {5, 1, 0, 3}, {3, 2, 0, 0, 0, 101, 101, 5}, multi, {}, false});
        eng.Current().Blocks()[998] = {998, "BTL.T", {0, 0, 0, 10, 5, 0}, {}};
        eng.Current().Blocks()[998].entities.push_back(
            {engine::kLine, 0, 0, {1, 1, 0, 7}, {0, 0, 10, 5}, "", {7}, false});
        eng.Current().Names()[12] = "D:\\图\\x.T";
        std::vector<int32_t> data(40);
        for (size_t i = 0; i < data.size(); ++i) data[i] = int32_t(i * 1000003);
        eng.Current().Data() = data;
    }
};

TEST_F(DrawingTextTest, DumpLoadDumpGivesTheSameTextAndTheSameDrawing) {
    Fill();
    std::string first = Dump(eng.Current());
    engine::Drawing loaded;
    std::string error;
    ASSERT_TRUE(Load(first, loaded, error)) << error;
    EXPECT_EQ(Dump(loaded), first);
    EXPECT_EQ(loaded.Entities(), eng.Current().Entities());
    EXPECT_EQ(loaded.Blocks(), eng.Current().Blocks());
    EXPECT_EQ(loaded.Data(), eng.Current().Data());
    EXPECT_EQ(loaded.Names(), eng.Current().Names());
    // Readable: Chinese stays Chinese (UTF-8), bytes that are no character are escaped.
    EXPECT_NE(first.find(ckw::text::U8(u8"text=\"钢筋\\x8220\\t@200\"")), std::string::npos) << first;
    EXPECT_NE(first.find("line id=2 layer=5 linetype=2 width=250 colour=1 values=0.1,-0.2,1e+07,3.1415927"),
              std::string::npos)
        << first;
}

TEST_F(DrawingTextTest, HandWrittenTextGetsIdentifiersAndDefaults) {
    std::string text =
        "# a hand-written plan\nckw-drawing-text 1\n"
        "layer-entry layer=3 colour=2 text=\"" +
        ckw::text::U8(u8"墙") +
        "\"\n"
        "line layer=3 values=0,0,100,0\n"
        "xdata 10000 123\nxdata 10099 125\n"
        "arc id=10 layer=3 values=0,0,50,0,90\n"
        "circle values=1,1,1\n";
    engine::Drawing d;
    std::string error;
    ASSERT_TRUE(Load(text, d, error)) << error;
    ASSERT_EQ(d.Entities().size(), 4u);
    EXPECT_EQ(d.Entities()[0].id0, 1);
    EXPECT_EQ(d.Entities()[1].xdata, (std::vector<int32_t>{10000, 123, 10099, 125}));
    EXPECT_EQ(d.Entities()[3].id0, 11);
    EXPECT_EQ(d.Layer(3)->name, "墙");
}

TEST_F(DrawingTextTest, MistakesAreReportedWithTheirLine) {
    engine::Drawing d;
    std::string error;
    EXPECT_FALSE(Load("ckw-drawing-text 1\nline values=1,x\n", d, error));
    EXPECT_NE(error.find("line 2"), std::string::npos) << error;
    EXPECT_FALSE(Load("something else\n", d, error));
    EXPECT_FALSE(Load("ckw-drawing-text 1\nline id=5\nline id=3\n", d, error));
    EXPECT_FALSE(Load("ckw-drawing-text 1\nxdata 1\n", d, error));
    EXPECT_FALSE(Load("ckw-drawing-text 1\nline text=\"open\n", d, error));
    EXPECT_FALSE(Load("ckw-drawing-text 1\nblock 3 name=\"b\" extents=0,0,0,1,1,0\nline\n", d, error));
}

TEST_F(DrawingTextTest, ShippedExampleLoadsAndSavesAsADrawing) {
    std::ifstream in(std::string(CKW_SOURCE_DIR) + "/examples/drawings/plan.txt");
    ASSERT_TRUE(in) << "examples/drawings/plan.txt";
    std::stringstream buffer;
    buffer << in.rdbuf();
    engine::Drawing d;
    std::string error;
    ASSERT_TRUE(Load(buffer.str(), d, error)) << error;
    EXPECT_EQ(Dump(d), buffer.str());  // the example is kept in canonical form
    EXPECT_FALSE(d.Blocks().empty());
    EXPECT_FALSE(d.Data().empty());
    ASSERT_TRUE(engine::WriteDrawingFile(Path("plan.T"), d, error)) << error;
}

TEST_F(DrawingTextTest, SvgShowsWhatWasDrawn) {
    Fill();
    float dashes[] = {6, -3};
    eng.HostDefineLineType(2, 2, dashes);
    float place[9] = {50, 50, 0, 1, 1, 1, 0, 0, 0}, marks[3] = {9999, 9999, 9999};
    eng.HostInsertBlock(998, 1, marks, place);
    std::ostringstream out;
    engine::WriteSvg(eng.Current(), out);
    std::string svg = out.str();
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("stroke-dasharray=\"6 3\""), std::string::npos);
    EXPECT_NE(svg.find("stroke=\"#ff0000\""), std::string::npos);  // colour 1
    EXPECT_NE(svg.find(ckw::text::U8(u8"第一行")), std::string::npos);
    EXPECT_NE(svg.find("<use href=\"#block-998\""), std::string::npos);
    EXPECT_NE(svg.find("<g id=\"block-998\">"), std::string::npos);
    EXPECT_EQ(svg.find("\x82"), std::string::npos);  // only UTF-8 goes out
}

}  // namespace
}  // namespace ckw::test
