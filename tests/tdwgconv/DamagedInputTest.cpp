// The program's command line, and damaged inputs: truncated and bit-flipped copies of the test
// files end cleanly (converted, or status 1 with a message and no output file), never with a
// crash or a hang.
#include <random>
#include <tuple>

#include "Readers.h"
#include "TdwgFixture.h"

namespace tdwg::test {
namespace {

TEST(CommandLine, LibraryCallWritesTheUpperCasedStemBeside) {
    TempDir dir;
    fs::path input = dir.path() / "plan.dxf";
    fs::copy_file(DataFile("dxf/screw.dxf"), input);
    ckw::shell::RunResult r = RunTdwg({input.string(), "1"});
    EXPECT_EQ(r.exitStatus, 0) << r.errors;
    EXPECT_TRUE(fs::exists(dir.path() / "PLAN.T"));
    EXPECT_NE(r.output.find("LINE"), std::string::npos);  // the report

    EXPECT_EQ(RunTdwg({"--help"}).exitStatus, 0);
    EXPECT_EQ(RunTdwg({}).exitStatus, 2);
    ckw::shell::RunResult missing = RunTdwg({(dir.path() / "none.dwg").string(), "1"});
    EXPECT_EQ(missing.exitStatus, 1);
    EXPECT_FALSE(missing.errors.empty());
    EXPECT_FALSE(fs::exists(dir.path() / "NONE.T"));
}

TEST(CommandLine, SetupCopiesTheConverterIntoTheConfiguration) {
    ckw::test::ScopedXdgHome home;  // the configuration it records is this test's alone
    TempDir dir;
    ckw::shell::RunResult r =
        ckw::shell::RunAndCapture({CKW_KWUTIL, "setup", (dir.path() / "cfg").string()}, std::chrono::seconds(60));
    ASSERT_EQ(r.exitStatus, 0) << r.errors;
    EXPECT_TRUE(fs::exists(dir.path() / "cfg" / "TdwgConv"));
    ckw::shell::RunResult copy =
        ckw::shell::RunAndCapture({(dir.path() / "cfg" / "TdwgConv").string(), "--version"}, std::chrono::seconds(30));
    EXPECT_EQ(copy.exitStatus, 0);
}

// A converter whose DWG reader has no package beside it (npm ci not run) says so and what to do,
// instead of the last line Node prints (its version).
TEST(CommandLine, AMissingDwgPackageIsNamedWithWhatToDo) {
    TempDir dir;
    fs::create_directory(dir.path() / "dwg");
    fs::copy_file(CKW_TDWGCONV, dir.path() / "TdwgConv");
    fs::copy_file(fs::path(CKW_TDWGCONV_TEST_DIR) / "../../tools/tdwgconv/dwg/read-dwg.mjs",
                  dir.path() / "dwg" / "read-dwg.mjs");
    ckw::shell::RunResult r =
        ckw::shell::RunAndCapture({(dir.path() / "TdwgConv").string(), DataFile("dwg/example_2000.dwg").string(), "-q",
                                   "-o", (dir.path() / "out.T").string()},
                                  std::chrono::seconds(60));
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_NE(r.errors.find("npm ci"), std::string::npos) << r.errors;
    EXPECT_FALSE(fs::exists(dir.path() / "out.T"));
}

// Runs the program on a damaged copy; returns its exit status after checking the rules.
int Convert(const fs::path& damaged, const fs::path& out) {
    fs::remove(out);
    ckw::shell::RunResult r = RunTdwg({damaged.string(), "-q", "-o", out.string()});
    EXPECT_FALSE(r.timedOut);
    EXPECT_TRUE(r.exitStatus == 0 || r.exitStatus == 1) << "status " << r.exitStatus << ": " << r.errors;
    if (r.exitStatus != 0) {
        EXPECT_FALSE(fs::exists(out));
        EXPECT_FALSE(r.errors.empty());
    }
    return r.exitStatus;
}

TEST(DamagedInput, TruncatedAndBitFlippedCopies) {
    TempDir dir;
    std::mt19937 random(13);
    struct Source {
        std::string file;
        int flips;
    } sources[] = {{"dxf/libredwg_example_2000.dxf", 12},
                   {"dxf/Relay.dxf", 12},
                   {"dwg/example_2000.dwg", 4},
                   {"dwg/example_2007.dwg", 4}};
    for (const Source& s : sources) {
        SCOPED_TRACE(s.file);
        std::string bytes = ReadBytes(DataFile(s.file));
        fs::path damaged = dir.path() / ("damaged" + fs::path(s.file).extension().string());
        fs::path out = dir.path() / "OUT.T";
        // Cut anywhere: a file that ends early is always refused.
        for (double at : {0.0, 0.1, 0.5, 0.97}) {
            WriteBytes(damaged, bytes.substr(0, static_cast<size_t>(bytes.size() * at)));
            EXPECT_EQ(Convert(damaged, out), 1) << "cut at " << at;
        }
        // Flipped bits: a clean result either way.
        for (int i = 0; i < s.flips; ++i) {
            std::string copy = bytes;
            for (int k = 0; k < 8; ++k) copy[random() % copy.size()] ^= static_cast<char>(1 << (random() % 8));
            WriteBytes(damaged, copy);
            Convert(damaged, out);
        }
    }
}

TEST(DamagedInput, DxfNumbersThatAreNotNumbersAreRefused) {
    std::string bytes = ReadBytes(DataFile("dxf/angle.dxf"));
    size_t at = bytes.find("\n 10\n");
    ASSERT_NE(at, std::string::npos);
    bytes.insert(at + 5, "x");
    Drawing d;
    std::string error;
    EXPECT_FALSE(ReadDxfBytes(bytes, d, error));
    EXPECT_NE(error.find("damaged"), std::string::npos) << error;
    EXPECT_TRUE(d.entities.empty());
}

// A count dxflib sizes an array by, far beyond what the file holds (once: gigabytes set aside and
// cleared, a minute for a file of a hundred bytes).
TEST(DamagedInput, DxfCountsNoFileOfItsSizeHoldsAreRefused) {
    // dxflib starts an entity at a group 9 as at a group 0.
    for (auto [kind, group, start] : {std::tuple{"SPLINE", 72, "0"},
                                      {"SPLINE", 73, "0"},
                                      {"SPLINE", 74, "0"},
                                      {"LWPOLYLINE", 90, "0"},
                                      {"LEADER", 76, "0"},
                                      {"SPLINE", 73, "9"}}) {
        const std::string bytes = std::string("0\nSECTION\n2\nENTITIES\n") + start + "\n" + kind + "\n8\n0\n" +
                                  std::to_string(group) + "\n50000000\n0\nENDSEC\n0\nEOF\n";
        Drawing d;
        std::string error;
        EXPECT_FALSE(ReadDxfBytes(bytes, d, error)) << kind;
        EXPECT_NE(error.find("group " + std::to_string(group) + " of a " + kind + " counts 50000000"),
                  std::string::npos)
            << error;
        EXPECT_TRUE(d.entities.empty());
    }
}

}  // namespace
}  // namespace tdwg::test
