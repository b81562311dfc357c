// Every drawing of the test data comes in whole or the report names what stayed out: no file
// aborts, per kind what was read is written or skipped with a reason, a DXF's counts equal
// ezdxf's (attribute values included), the converted drawing lies where ezdxf's bounding box of
// the same entities says, and every DWG converted and exported as DXF passes ezdxf's audit,
// reads back and LibreCAD prints it.
#include "DxfWriter.h"
#include <ckw/ReferenceEngine.h>
#include "Readers.h"
#include "TdwgFixture.h"
#include "TWriter.h"

namespace tdwg::test {
namespace {

std::vector<fs::path> FilesIn(const std::string& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(DataFile(folder))) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// The entities ezdxf_check.py measures exactly: straight-edged ones, through every block
// reference (tables and arc dimensions included) and multi-lines; the rest are taken out of the
// model and the blocks.
Drawing StraightEdged(Drawing d) {
    // A part of an entity (an array copy, a multi-leader's block) follows it with no kind of its own.
    std::string owner;
    auto keep = [&owner](const Entity& e) {
        if (!e.kind.empty()) owner = e.kind;
        if (e.shape == Shape::Skip) return false;
        if (e.shape == Shape::Insert)
            return owner == "INSERT" || owner == "DIMENSION" || owner == "ARC_DIMENSION" || owner == "ACAD_TABLE";
        if (owner == "MLINE")  // the lines of its elements and caps; round caps are arcs
            return std::all_of(e.vertices.begin(), e.vertices.end(), [](const Vertex& v) { return v.bulge == 0; });
        if (e.kind == "LWPOLYLINE" || e.kind == "POLYLINE")
            return e.shape == Shape::Polyline &&
                   std::all_of(e.vertices.begin(), e.vertices.end(), [](const Vertex& v) { return v.bulge == 0; });
        return e.kind == "LINE" || e.kind == "POINT" || e.kind == "SOLID" || e.kind == "TRACE";
    };
    auto filter = [&](std::vector<Entity>& list) {
        owner.clear();
        std::erase_if(list, [&](const Entity& e) { return !keep(e); });
    };
    filter(d.entities);
    for (Block& b : d.blocks) filter(b.entities);
    return d;
}

// The converted drawing's extents against ezdxf's (in the source's units), within 1e-6 of the
// largest coordinate: the drawing keeps its coordinates in 4-byte numbers.
void ExpectSameExtents(const Drawing& d, const Json& theirs) {
    Drawing straight = StraightEdged(d);
    ckw::engine::Drawing out;
    MapToEngine(straight, out);
    std::array<float, 4> box{};
    const bool any = out.Extents(box);
    ASSERT_EQ(any, !theirs.is_null());
    if (!any) return;
    double scale = 1;
    for (int i = 0; i < 4; ++i) scale = std::max(scale, std::abs(theirs[i].get<double>()));
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(box[i] / d.unitToMm, theirs[i].get<double>(), 1e-6 * scale) << "extents value " << i;
}

void ExpectAccounted(const Json& kinds) {
    for (const auto& [kind, c] : kinds.items()) {
        long skipped = 0;
        for (const auto& [reason, n] : c["skipped"].items()) skipped += n.get<long>();
        EXPECT_EQ(c["written"].get<long>() + skipped, c["read"].get<long>()) << kind;
    }
}

TEST(Corpus, EveryDxfFileMatchesEzdxfKindByKind) {
    for (const fs::path& file : FilesIn("dxf")) {
        SCOPED_TRACE(file.filename().string());
        Drawing d;
        std::string error;
        ASSERT_TRUE(ReadDxf(file, d, error)) << error;
        ckw::engine::Drawing out;
        MapToEngine(d, out);
        std::map<std::string, long> ours, theirs;
        for (const auto& [kind, c] : d.kinds) {
            long skipped = 0;
            for (const auto& [reason, n] : c.skipped) skipped += n;
            EXPECT_EQ(c.written + skipped, c.read) << kind;
            if (c.read) ours[kind] = c.read;
        }
        const Json reference = Ezdxf(file);
        if (reference.contains("unreadable")) continue;  // nothing to compare with
        for (const auto& [kind, n] : reference["section"].items()) theirs[kind] = n.get<long>();
        EXPECT_EQ(ours, theirs);
        ExpectSameExtents(d, reference["extents"]);
    }
}

TEST(Corpus, EveryDwgFileConvertsExportsAndReadsBack) {
    TempDir dir;
    for (const fs::path& file : FilesIn("dwg")) {
        SCOPED_TRACE(file.filename().string());
        const fs::path t = dir.path() / "out.T", dxf = dir.path() / "out.dxf";
        ckw::shell::RunResult r = RunTdwg({file.string(), "--json", "-o", t.string()});
        ASSERT_EQ(r.exitStatus, 0) << r.errors;
        Json report = Json::parse(r.output);
        ExpectAccounted(report["kinds"]);
        EXPECT_FALSE(report["version"].get<std::string>().empty());

        r = RunTdwg({"--to-dxf", t.string(), dxf.string(), "-q"});
        ASSERT_EQ(r.exitStatus, 0) << r.errors;
        EXPECT_EQ(Ezdxf(dxf)["errors"], 0);
        ExpectLibreCadPrints(dxf);
        Drawing back;
        std::string error;
        EXPECT_TRUE(ReadDxf(dxf, back, error)) << error;
        ckw::engine::Drawing converted, again;
        ASSERT_TRUE(ckw::engine::ReadDrawingFile(t, converted, error)) << error;
        MapToEngine(back, again);
        ExpectSameEntities(converted, again);
    }
}

}  // namespace
}  // namespace tdwg::test
