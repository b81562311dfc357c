// Texts to GBK and the mapping of entities, extended data and units into the engine, on small
// DXF files written here.
#include <ckw/ReferenceEngine.h>

#include "Readers.h"
#include "TdwgFixture.h"
#include "TextDecode.h"
#include "TWriter.h"
#include "base/GbkText.h"
#include "base/XDataParser.h"

namespace tdwg::test {
namespace {

using ckw::text::U8;
namespace eng = ckw::engine;

TEST(TextDecode, MultilineFormattingEscapesAndPercentCodes) {
    struct Case {
        std::string in, out;
    } cases[] = {
        {"plain", "plain"},
        {"\\PLine\\P2", "\nLine\n2"},
        {"{\\fArial|b1;Bold} \\H2.5x;big", "Bold big"},
        {"1\\S1^2;", "11/2"},
        {"a\\\\b\\{c\\}", "a\\b{c}"},
        {"\\Lunder\\l \\Oover\\o", "under over"},
        {"%%c20 %%d %%p0.1 100%%%", U8(u8"\u230020 \u00b0 \u00b10.1 100%")},
        {"no\\~break", "no break"},
    };
    for (const Case& c : cases) EXPECT_EQ(StripMTextFormatting(c.in), c.out) << c.in;
    EXPECT_EQ(ResolveUnicodeEscapes("\\U+7ED3\\U+6784 x\\U+12"), U8(u8"结构 x\\U+12"));
}

TEST(TextDecode, CodePagesToGbkCountingWhatGbkCannotHold) {
    TextDecoder gbkFile;
    gbkFile.SetCodePage("ANSI_936");
    EXPECT_EQ(gbkFile.ToGbk(ckw::text::Utf8ToGbk(U8(u8"梁 L1"))), ckw::text::Utf8ToGbk(U8(u8"梁 L1")));
    TextDecoder latin;
    latin.SetCodePage("ANSI_1252");
    EXPECT_EQ(latin.ToGbk("caf\xE9"), ckw::text::Utf8ToGbk(U8(u8"café")));
    TextDecoder utf8;
    utf8.SetUtf8(true);
    EXPECT_EQ(utf8.ToGbk(U8(u8"柱\u0E01\\U+0E02")), ckw::text::Utf8ToGbk(U8(u8"柱")) + "??");
    EXPECT_EQ(utf8.Unmappable(), 2);
    // A name converted once counts its unmappable characters at every use, as ToGbk does, and
    // a change of code page converts it anew.
    const std::string layer = U8(u8"柱\u0E01");
    EXPECT_EQ(utf8.NameToGbk(layer), ckw::text::Utf8ToGbk(U8(u8"柱")) + "?");
    EXPECT_EQ(utf8.NameToGbk(layer), ckw::text::Utf8ToGbk(U8(u8"柱")) + "?");
    EXPECT_EQ(utf8.Unmappable(), 4);
    const std::string beam = ckw::text::Utf8ToGbk(U8(u8"梁"));
    EXPECT_EQ(gbkFile.NameToGbk(beam), beam);
    gbkFile.SetUtf8(true);
    EXPECT_NE(gbkFile.NameToGbk(beam), beam);
}

// A small drawing: GBK texts, a polyline with widths and a bulge, a block with a base point and
// its insertion, extended data of every kind, in inches.
std::string SmallDxf(const std::string& version, const std::string& text) {
    std::string s =
        "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\n" + version +
        "\n9\n$DWGCODEPAGE\n3\nANSI_936\n9\n$INSUNITS\n70\n1\n0\nENDSEC\n"
        "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n70\n1\n0\nLAYER\n2\n" +
        text +
        "\n70\n0\n62\n-3\n6\nCONTINUOUS\n0\nENDTAB\n0\nENDSEC\n"
        "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n8\n0\n2\nMARK\n70\n0\n10\n1\n20\n1\n30\n0\n"
        "0\nLINE\n8\n0\n10\n1\n20\n1\n30\n0\n11\n2\n21\n1\n31\n0\n0\nENDBLK\n8\n0\n0\nENDSEC\n"
        "0\nSECTION\n2\nENTITIES\n"
        "0\nTEXT\n8\n" +
        text + "\n10\n1\n20\n2\n30\n0\n40\n0.5\n1\n" + text +
        "\n72\n1\n11\n3\n21\n4\n31\n0\n"
        "1001\nAPP\n1000\n" +
        text +
        "\n1040\n2.5\n1070\n7\n1010\n1\n1020\n2\n1030\n3\n"
        "0\nLWPOLYLINE\n8\n0\n62\n1\n90\n2\n70\n0\n43\n0.1\n10\n0\n20\n0\n42\n1\n10\n2\n20\n0\n40\n0.2\n41\n0.3\n"
        "0\nINSERT\n8\n0\n2\nMARK\n10\n5\n20\n5\n30\n0\n41\n2\n50\n90\n"
        "0\nENDSEC\n0\nEOF\n";
    return s;
}

// The title block of a3.dxf: multi-line texts whose lines stood on top of each other.
TEST(DxfMapping, MultilineTextsKeepTheirLineSpacing) {
    TempDir dir;
    const fs::path out = dir.path() / "A3.T";
    const auto r = RunTdwg({DataFile("dxf/a3.dxf").string(), "-q", "-o", out.string()});
    ASSERT_EQ(r.exitStatus, 0) << r.errors;
    eng::Drawing d;
    std::string error;
    ASSERT_TRUE(eng::ReadDrawingFile(out, d, error)) << error;
    int multiline = 0;
    for (const auto& e : d.Entities()) {
        if (e.deleted || e.kind != eng::kMultilineText || e.text.find('\n') == std::string::npos) continue;
        ++multiline;
        ASSERT_GE(e.values.size(), 8u);
        // Single spacing is 5/3 of the height; a3.dxf's texts are single-spaced.
        EXPECT_NEAR(e.values[7], e.values[0] * 5 / 3, e.values[0] * 1e-4) << e.text;
    }
    EXPECT_GT(multiline, 0);
}

TEST(DxfMapping, TextsPolylinesBlocksXDataAndUnits) {
    // The same drawing as a 2004 file in GBK and as a 2007 file in UTF-8.
    for (const auto& [version, text] :
         {std::pair<std::string, std::string>{"AC1018", ckw::text::Utf8ToGbk(U8(u8"结构梁"))},
          {"AC1021", U8(u8"结构梁")}}) {
        SCOPED_TRACE(version);
        Drawing d;
        std::string error;
        ASSERT_TRUE(ReadDxfBytes(SmallDxf(version, text), d, error)) << error;
        EXPECT_EQ(d.droppedXDataValues, 3);  // the point's three coordinates
        eng::Drawing out;
        MapToEngine(d, out);
        const std::string gbk = ckw::text::Utf8ToGbk(U8(u8"结构梁"));
        std::vector<const eng::Entity*> drawn;
        for (const auto& e : out.Entities())
            if (e.kind < 10000 || e.kind == eng::kBlockInsert) drawn.push_back(&e);
        ASSERT_EQ(drawn.size(), 3u);

        const eng::Entity& t = *drawn[0];
        EXPECT_EQ(t.kind, eng::kChineseText);
        EXPECT_EQ(t.text, gbk);
        EXPECT_EQ(LayerName(out, t.Layer()), gbk);
        EXPECT_EQ(out.Layer(t.Layer())->flag, 1);  // switched off (negative colour)
        EXPECT_EQ(t.Colour(), 3);                  // by layer
        // Inches to millimetres; centred text sits on its second point.
        EXPECT_EQ(t.values, (std::vector<float>{12.7f, 12.7f, 76.2f, 101.6f, 0, 102, 101}));
        auto blocks = ckw::xdata::ReadAllBlocks(t.xdata);
        ASSERT_EQ(blocks.size(), 1u);
        EXPECT_EQ(blocks[0].name, "APP");
        ASSERT_EQ(blocks[0].items.size(), 3u);
        EXPECT_EQ(blocks[0].items[0].text, gbk);
        float real;
        std::memcpy(&real, &blocks[0].items[1].value, sizeof real);
        EXPECT_EQ(real, 2.5f);
        EXPECT_EQ(blocks[0].items[2].value, 7);

        // Half circle from (0,0) to (2,0): arc height 1 inch; widths per vertex.
        const eng::Entity& p = *drawn[1];
        EXPECT_EQ(p.kind, eng::kPolyline);
        EXPECT_EQ(p.Colour(), 1);
        EXPECT_EQ(p.values, (std::vector<float>{2, 0, 0, 0, 25.4f, 2.54f, 2.54f, 50.8f, 0, 0, 5.08f, 7.62f}));

        // The block's content is relative to its base point; the insert keeps scale and rotation.
        const eng::Entity& ins = *drawn[2];
        ASSERT_EQ(ins.kind, eng::kBlockInsert);
        const eng::Block& block = out.Blocks().at(static_cast<int>(ins.values[0]));
        EXPECT_EQ(block.name, "MARK");
        ASSERT_EQ(block.entities.size(), 1u);
        EXPECT_EQ(block.entities[0].values, (std::vector<float>{0, 0, 25.4f, 0}));
        EXPECT_EQ(ins.values, (std::vector<float>{ins.values[0], 127, 127, 0, 2, 1, 1, 90}));
    }
}

}  // namespace
}  // namespace tdwg::test
