// A DXF mapped entity batch by entity batch as the reader hands them on gives the very drawing
// and report that reading it whole and mapping it gives: on every DXF test file (large ones that
// come in many batches, binary, recovered, damaged) with and without a shift, on one whose tables
// come after its entities, and on one whose record keeps a shift (both read whole).
#include "DxfWriter.h"
#include <ckw/ReferenceEngine.h>
#include "Readers.h"
#include "TdwgFixture.h"
#include "TWriter.h"

namespace tdwg::test {
namespace {

struct Mapped {
    bool ok = false;
    std::string error;
    Drawing neutral;
    ckw::engine::Drawing out;
};

void ExpectSameReport(const Drawing& a, const Drawing& b) {
    ASSERT_EQ(a.kinds.size(), b.kinds.size());
    for (const auto& [kind, c] : a.kinds) {
        SCOPED_TRACE(kind);
        ASSERT_TRUE(b.kinds.count(kind));
        const Counts& d = b.kinds.at(kind);
        EXPECT_EQ(c.read, d.read);
        EXPECT_EQ(c.written, d.written);
        EXPECT_EQ(c.skipped, d.skipped);
    }
    EXPECT_EQ(a.warnings, b.warnings);
    EXPECT_EQ(a.unmappableCharacters, b.unmappableCharacters);
    EXPECT_EQ(a.droppedXDataValues, b.droppedXDataValues);
    EXPECT_EQ(a.sourceVersion, b.sourceVersion);
}

// Returns how many model-space entities the streamed read still held at its end.
size_t ExpectStreamedAsWhole(const fs::path& file, size_t batchSize, ShiftRequest shift = {}) {
    SCOPED_TRACE(file.filename().string() + " shift " + std::to_string(shift.x));
    Mapped whole, streamed;
    whole.out.SetStamp(1), streamed.out.SetStamp(1);
    whole.ok = ReadDxf(file, whole.neutral, whole.error);
    whole.neutral.shift = shift;
    if (whole.ok) MapToEngine(whole.neutral, whole.out);
    streamed.ok = MapDxf(file, streamed.neutral, streamed.out, streamed.error, shift, batchSize);
    EXPECT_EQ(whole.ok, streamed.ok);
    EXPECT_EQ(whole.error, streamed.error);
    if (!whole.ok || !streamed.ok) return 0;
    EXPECT_TRUE(whole.out == streamed.out);
    if (!(whole.out == streamed.out)) ExpectSameEntities(whole.out, streamed.out);
    ExpectSameReport(whole.neutral, streamed.neutral);
    return streamed.neutral.entities.size();
}

TEST(StreamedDxf, EveryTestFileMapsAsWhenReadWhole) {
    // One entity at a time puts a batch's end after every entity kind and every way an entity
    // ends (array copies, hatch loops, polyline sequences, attributes).
    for (const auto& entry : fs::directory_iterator(DataFile("dxf"))) {
        ExpectStreamedAsWhole(entry.path(), 1);
        ExpectStreamedAsWhole(entry.path(), 1, {ShiftRequest::Mode::Given, 1000, -2000});
        const size_t kept = ExpectStreamedAsWhole(entry.path(), 1024);
        if (entry.path().filename() == "ez_3_us_main.dxf") {
            EXPECT_LT(kept, 1024u);
        }
    }
}

// A file whose tables come after its entities is read whole (its layers are numbered as the
// table lists them, before the entities name them); a block's entities on another plane are put
// into the drawing's coordinates before the first batch.
TEST(StreamedDxf, LateTablesAndBlocksOnAnotherPlane) {
    const std::string tables =
        "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n70\n2\n0\nLAYER\n2\nDOORS\n70\n0\n62\n2\n6\n"
        "CONTINUOUS\n0\nLAYER\n2\nWALLS\n70\n0\n62\n3\n6\nCONTINUOUS\n0\nENDTAB\n0\nENDSEC\n";
    const std::string blocks =
        "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n8\n0\n2\nMIRRORED\n70\n0\n10\n0\n20\n0\n30\n0\n3\nMIRRORED\n"
        "0\nARC\n8\nDOORS\n10\n5\n20\n1\n30\n0\n40\n2\n50\n10\n51\n80\n210\n0\n220\n0\n230\n-1\n"
        "0\nENDBLK\n8\n0\n0\nENDSEC\n";
    std::string entities = "0\nSECTION\n2\nENTITIES\n0\nINSERT\n8\nWALLS\n2\nMIRRORED\n10\n1\n20\n2\n30\n0\n";
    for (int i = 0; i < 3000; ++i)
        entities += "0\nLINE\n8\nWALLS\n10\n" + std::to_string(i) + "\n20\n0\n11\n" + std::to_string(i) + "\n21\n5\n";
    entities += "0\nENDSEC\n";
    TempDir dir;
    WriteBytes(dir.path() / "late.dxf", entities + tables + blocks + "0\nEOF\n");
    WriteBytes(dir.path() / "usual.dxf", tables + blocks + entities + "0\nEOF\n");
    EXPECT_EQ(ExpectStreamedAsWhole(dir.path() / "late.dxf", 1), 3001u);
    EXPECT_LE(ExpectStreamedAsWhole(dir.path() / "usual.dxf", 1), 2u);
}

TEST(StreamedDxf, ShiftKeptInTheRecordIsReadWhole) {
    Drawing d;
    std::string error;
    ASSERT_TRUE(ReadDxf(DataFile("dxf/a3.dxf"), d, error)) << error;
    d.shift = {ShiftRequest::Mode::Given, 100, 200};
    ckw::engine::Drawing shifted;
    MapToEngine(d, shifted);
    TempDir dir;
    ASSERT_TRUE(ckw::dxf::WriteDxf(shifted, dir.path() / "shifted.dxf", error)) << error;
    EXPECT_EQ(ExpectStreamedAsWhole(dir.path() / "shifted.dxf", 1), d.entities.size());
}

}  // namespace
}  // namespace tdwg::test
