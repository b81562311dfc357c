// kwutil's exit status when the library reported a failure and went on: the command did not do
// its work, whatever it printed after.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

#include "base/GbkText.h"
#include "support/RunKwutil.h"
#include "support/TestEnv.h"

namespace ckw::test {
namespace {

namespace fs = std::filesystem;

void DropTable(const fs::path& library, const std::string& tableUtf8) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(library.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, ("DROP TABLE " + tableUtf8).c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

TEST(KwutilExitStatus, AnErrorTheLibraryShowedAndWentOnFromFailsTheCommand) {
    ScopedXdgHome home;
    const fs::path cfg = home.root() / "cfg";
    ASSERT_EQ(RunKwutil({"setup", cfg.string()}).status, 0);
    ASSERT_EQ(RunKwutil({"params"}).status, 0);
    // Without a colour table in either library the layers still load, their colours unread.
    for (const char8_t* library : {u8"绘图参数.mdb", u8"用户绘图参数.mdb"})
        DropTable(cfg / text::U8(library), text::U8(u8"颜色表"));
    const KwutilRun run = RunKwutil({"params"});
    EXPECT_EQ(run.status, 2) << run.out;
    EXPECT_NE(run.out.find(text::U8(u8"颜色表")), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("kwutil params: stopped short"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace ckw::test
