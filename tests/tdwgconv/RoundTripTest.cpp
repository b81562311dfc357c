// .T -> DXF -> .T keeps the drawing, and the DXF passes an independent reader's audit with the
// same counts and the same Chinese texts, and LibreCAD prints it: the sheet kwutil draws, and
// every imported test file.
#include "DxfWriter.h"
#include <ckw/ReferenceEngine.h>
#include "Readers.h"
#include "TdwgFixture.h"
#include "TWriter.h"
#include "base/GbkText.h"

namespace tdwg::test {
namespace {

namespace eng = ckw::engine;

// Export, audit, compare the counts and texts, import again and compare the entities.
void RoundTrip(const eng::Drawing& original, const fs::path& dir, const std::string& name) {
    SCOPED_TRACE(name);
    fs::path dxf = dir / (name + ".dxf");
    ckw::dxf::ExportCounts counts;
    std::string error;
    ASSERT_TRUE(ckw::dxf::WriteDxf(original, dxf, error, &counts)) << error;
    EXPECT_TRUE(counts.skipped.empty());

    Json independent = Ezdxf(dxf);
    EXPECT_EQ(independent["errors"], 0);
    std::map<std::string, long> theirs, ours(counts.written.begin(), counts.written.end());
    for (const auto& [kind, n] : independent["counts"].items()) theirs[kind] = n.get<long>();
    EXPECT_EQ(theirs, ours);
    std::vector<std::string> texts;
    for (const auto& e : original.Entities())
        if (!e.deleted && (e.kind == eng::kChineseText || e.kind == eng::kWesternText || e.kind == eng::kMultilineText))
            texts.push_back(ckw::text::GbkToUtf8(e.text));
    EXPECT_EQ(independent["texts"].get<std::vector<std::string>>(), texts);
    ExpectLibreCadPrints(dxf);

    Drawing neutral;
    ASSERT_TRUE(ReadDxf(dxf, neutral, error)) << error;
    eng::Drawing back;
    MapToEngine(neutral, back);
    ExpectSameEntities(original, back);
}

TEST(RoundTrip, SheetFromKwutilWithItsFrameRecord) {
    TempDir dir;
    ckw::shell::RunResult r = ckw::shell::RunAndCapture(
        {CKW_KWUTIL, "sheet", "-o", (dir.path() / "sheet").string(), "--floors", "-0.050:4200,4.150:3600"},
        std::chrono::seconds(120));
    ASSERT_EQ(r.exitStatus, 0) << r.errors;
    eng::Drawing sheet;
    std::string error;
    ASSERT_TRUE(eng::ReadDrawingFile(dir.path() / "sheet.T", sheet, error)) << error;
    ASSERT_FALSE(sheet.Data().empty());  // the frame record
    ASSERT_FALSE(sheet.Blocks().empty());
    RoundTrip(sheet, dir.path(), "sheet");
}

TEST(RoundTrip, EveryImportedTestFile) {
    TempDir dir;
    for (const auto& entry : fs::directory_iterator(DataFile("dxf"))) {
        Drawing neutral;
        std::string error;
        ASSERT_TRUE(ReadDxf(entry.path(), neutral, error)) << entry.path() << ": " << error;
        eng::Drawing imported;
        MapToEngine(neutral, imported);
        RoundTrip(imported, dir.path(), entry.path().stem().string());
    }
}

}  // namespace
}  // namespace tdwg::test
