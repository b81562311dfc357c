// Every drawing of the test data comes in whole or the report names what stayed out: no file
// aborts, per kind what was read is written or skipped with a reason, a DXF's counts equal
// ezdxf's (attribute values included), and every DWG converted and exported as DXF passes ezdxf's
// audit and reads back.
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
