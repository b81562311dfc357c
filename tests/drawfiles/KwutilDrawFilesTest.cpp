// The drawing-file commands of kwutil end to end: browse with a dialog script, import through a
// stand-in converter, then the imported entities moved and erased, the user's line kept.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <memory>

#include "DrawFilesFixture.h"
#include "support/RunKwutil.h"

namespace ckw::test {
namespace {

class KwutilDrawFiles : public DrawFilesFixture {
protected:
    // Runs kwutil with the words; its standard output.
    static std::string Kwutil(const std::vector<std::string>& words, int* status = nullptr) {
        const KwutilRun run = RunKwutil(words, false);
        if (status) *status = run.status;
        return run.out;
    }
};

TEST_F(KwutilDrawFiles, BrowseImportMoveErase) {
    InfoDrawing("Floor1.T", 5, "PLAN", 1, 100);
    InfoDrawing("floor2.t", 5, "PLAN", 2, 100);
    std::ofstream(m_dir / "pick.txt") << "check 2 0 on\nok\n";
    int status = -1;
    const std::string listed =
        Kwutil({"browse", m_dir.string(), "PLAN", "5", "999", "--script", (m_dir / "pick.txt").string()}, &status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(listed.find("Floor1.T"), std::string::npos) << listed;
    EXPECT_NE(listed.find((m_dir / "floor2.t").string() + "\n"), std::string::npos) << listed;

    // The user's drawing with its own line on layer 1; a converter that hands back floor 1.
    Begin();
    Layer(1, "AXIS");
    Line(1, 0, 0, 1, 1);
    const fs::path mine = Save("mine.T");
    const fs::path converter = m_dir / "conv.sh";
    std::ofstream(converter) << "#!/bin/sh\ncp '" << (m_dir / "Floor1.T").string() << "' \"$(dirname \"$1\")/IN.T\"\n";
    ::chmod(converter.c_str(), 0755);
    std::ofstream(m_dir / "in.dxf") << "0\nEOF\n";
    EXPECT_EQ(
        Kwutil({"import", (m_dir / "in.dxf").string(), "--into", mine.string(), "--converter", converter.string()}),
        "copied 2 entities on 1 layers, 1 layers renumbered, into " + mine.string() + "\n");
    EXPECT_EQ(Kwutil({"imported", mine.string(), "move", "10,20"}),
              "moved 1 imported entities in " + mine.string() + "\n");
    EXPECT_EQ(Kwutil({"imported", mine.string(), "erase"}), "erased 1 imported entities in " + mine.string() + "\n");
    std::string error;
    ASSERT_TRUE(eng.Open(0, mine, error)) << error;
    ASSERT_EQ(Live(engine::kLine).size(), 1u);
    EXPECT_EQ(Live(engine::kLine)[0].values, (std::vector<float>{0, 0, 1, 1}));
}

#ifdef CKW_TDWGCONV
// A real DWG of the test data through the real converter: it comes in on its own "$_" layers, is
// moved and erased as one, and the user's own line stays as it was.
TEST_F(KwutilDrawFiles, RealDwgComesInAndGoesAsOne) {
    if (std::system("node --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no Node.js for the DWG reader";
    const fs::path dwg = m_dir / "example_2000.dwg";
    fs::copy_file(fs::path(CKW_TEST_DATA_DIR) / "dwg" / "example_2000.dwg", dwg);
    Begin();
    Layer(1, "AXIS");
    Line(1, 0, 0, 1, 1);
    const fs::path mine = Save("mine.T");
    int status = -1;
    const std::string copied =
        Kwutil({"import", dwg.string(), "--into", mine.string(), "--converter", CKW_TDWGCONV}, &status);
    ASSERT_EQ(status, 0) << copied;
    int entities = 0;
    ASSERT_EQ(std::sscanf(copied.c_str(), "copied %d entities", &entities), 1) << copied;
    EXPECT_GT(entities, 0);
    EXPECT_TRUE(fs::exists(m_dir / "EXAMPLE_2000.T"));
    const std::string moved = Kwutil({"imported", mine.string(), "move", "1000,0"});
    const std::string erased = Kwutil({"imported", mine.string(), "erase"});
    int movedCount = 0, erasedCount = 0;
    ASSERT_EQ(std::sscanf(moved.c_str(), "moved %d", &movedCount), 1) << moved;
    ASSERT_EQ(std::sscanf(erased.c_str(), "erased %d", &erasedCount), 1) << erased;
    EXPECT_GT(movedCount, 0);
    EXPECT_EQ(movedCount, erasedCount);
    std::string error;
    ASSERT_TRUE(eng.Open(0, mine, error)) << error;
    ASSERT_EQ(Live(engine::kLine).size(), 1u);
    EXPECT_EQ(Live(engine::kLine)[0].values, (std::vector<float>{0, 0, 1, 1}));
}
#endif

}  // namespace
}  // namespace ckw::test
