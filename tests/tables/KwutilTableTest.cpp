// kwutil table: an empty table written, the example schedule drawn into a drawing, a damaged file
// refused with its line.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include <sys/wait.h>

#include <ckw/ReferenceEngine.h>
#include "tables/TablesFixture.h"
#include "tables/TdbFile.h"

namespace ckw::test {
namespace {

class KwutilTable : public TablesFixture {
protected:
    // Runs kwutil with the arguments; its exit status and what it printed (stdout and stderr).
    int Run(const std::string& args, std::string& out, const std::string& subcommand = "table") {
        const std::string command = std::string(CKW_KWUTIL) + " " + subcommand + " " + args + " 2>&1";
        std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
        char buffer[256];
        while (size_t n = fread(buffer, 1, sizeof buffer, pipe.get())) out.append(buffer, n);
        const int status = pclose(pipe.release());
        return WEXITSTATUS(status);
    }
};

TEST_F(KwutilTable, WritesAnEmptyTableAndDrawsTheExampleSchedule) {
    const auto dir = m_home.root();
    std::string out;
    ASSERT_EQ(Run("--new 3x4 --width 15 -o '" + (dir / "new.TDB").string() + "'", out), 0) << out;
    tables::UserTable table;
    std::string why;
    ASSERT_TRUE(tables::LoadTdbFile((dir / "new.TDB").string(), table).ok());
    EXPECT_EQ(table.Rows() * 10 + table.Cols(), 34);
    EXPECT_EQ(table.ColWidth(3), 15);

    const std::string example = std::string(CKW_SOURCE_DIR) + "/examples/tables/column-schedule.TDB";
    ASSERT_EQ(Run("'" + example + "' --scale 1 -o '" + (dir / "schedule").string() + "'", out), 0) << out;
    engine::Drawing drawing;
    ASSERT_TRUE(engine::ReadDrawingFile(dir / "schedule.T", drawing, why)) << why;
    ASSERT_TRUE(tables::LoadTdbFile(example, table).ok());
    int texts = 0, lines = 0;
    for (const auto& e : drawing.Entities()) {
        texts += e.kind == engine::kChineseText || e.kind == engine::kWesternText;
        lines += e.kind == engine::kLine;
    }
    int filled = 0;
    for (int r = 0; r < table.Rows(); ++r)
        for (int c = 0; c < table.Cols(); ++c) filled += !table.Cell(r, c).Covered() && !table.Cell(r, c).text.empty();
    EXPECT_EQ(texts, filled);
    EXPECT_GT(lines, table.Rows() + table.Cols());
    EXPECT_TRUE(std::filesystem::exists(dir / "schedule.svg"));
}

TEST_F(KwutilTable, DesignsAFileUnderADialogScript) {
    const auto file = m_home.root() / "beams.TDB", script = m_home.root() / "edit.txt";
    { std::ofstream(script) << "cell 1 1 KL1\nok\n"; }
    std::string out;
    ASSERT_EQ(Run("--design '" + file.string() + "' --script '" + script.string() + "'", out), 0) << out;
    tables::UserTable table;
    ASSERT_TRUE(tables::LoadTdbFile(file.string(), table).ok());
    EXPECT_EQ(table.Cell(0, 0).text, "KL1");
    { std::ofstream(script) << "cell 1 1 KL2\n"; }
    EXPECT_EQ(Run("--design '" + file.string() + "' --script '" + script.string() + "'", out), 3) << "Cancel";
}

TEST_F(KwutilTable, UserTablePlacesTheDesignedTableOnADrawing) {
    const auto drawing = m_home.root() / "plan.T", script = m_home.root() / "place.txt";
    std::string why;
    ASSERT_TRUE(eng.Save(0, drawing, why)) << why;
    { std::ofstream(script) << "cell 1 1 KL1\nok\npoint 1000 2000\n"; }
    std::string out;
    ASSERT_EQ(Run("'" + drawing.string() + "' --script '" + script.string() + "'", out, "user-table"), 0) << out;
    engine::Drawing placed;
    ASSERT_TRUE(engine::ReadDrawingFile(drawing, placed, why)) << why;
    int found = 0;
    for (const auto& e : placed.Entities()) found += e.text == "KL1";
    EXPECT_EQ(found, 1);
    EXPECT_TRUE(std::filesystem::exists(m_cfg / "TableData1.TDB"));
}

TEST_F(KwutilTable, RefusesADamagedFileAndABadSize) {
    const auto bad = m_home.root() / "bad.TDB";
    { std::ofstream(bad) << "1 1\n1 1 5 15 35 70 20.00\n"; }
    std::string out;
    EXPECT_EQ(Run("'" + bad.string() + "' -o '" + (m_home.root() / "x").string() + "'", out), 1);
    EXPECT_NE(out.find(ckw::text::U8(u8"第2行")), std::string::npos) << out;
    EXPECT_FALSE(std::filesystem::exists(m_home.root() / "x.T"));
    EXPECT_EQ(Run("--new 10000x10000 -o '" + (m_home.root() / "big.TDB").string() + "'", out), 1);
}

}  // namespace
}  // namespace ckw::test
