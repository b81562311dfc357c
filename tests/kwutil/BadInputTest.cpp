// Bad input on kwutil's command line: numbers that are not numbers or are out of range, names that
// cannot be recorded, text that is not UTF-8. Each is refused with a message that names the real
// cause, before anything is drawn, saved or recorded.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/GbkText.h"
#include "support/RunKwutil.h"
#include "support/TestEnv.h"

namespace ckw::test {
namespace {

namespace fs = std::filesystem;

TEST(KwutilNumbers, NoNumbersOrTooLargeOnesAreRefusedAndNothingIsWritten) {
    TempDir dir;
    const std::string out = (dir.path() / "out").string(), drawing = (dir.path() / "d.T").string();
    struct Case {
        std::vector<std::string> words;
        std::string said;  // part of the message
    };
    const Case cases[] = {
        {{"sheet", "-o", out, "--at-x", "nan"}, "'nan' is not a number"},
        {{"sheet", "-o", out, "--at-y", "-inf"}, "'-inf' is too large"},
        {{"sheet", "-o", out, "--at-x", "1e308"}, "'1e308' is too large"},
        {{"sheet", "-o", out, "--at-x", "0x10"}, "'0x10' is not a number"},
        {{"sheet", "-o", out, "--floors", "1e308:1e308"}, "'1e308' is too large"},
        {{"sheet", "-o", out, "--floors", "0:nan"}, "'nan' is not a number"},
        {{"sheet", "-o", out, "--sheet", "5"}, "5 is not from 0 to 4"},
        {{"sheet", "-o", out, "--scale", "0"}, "0 is not above 0"},
        {{"sheet", "-o", out, "--lengthen", "200000"}, "200000 is not from -100000 to 100000"},
        {{"section", "H", "--dims", "200,nan", "-o", out}, "'nan' is not a number"},
        {{"section", "H", "--dims", "200,100", "--at", "1e39,0", "-o", out}, "'1e39' is too large"},
        {{"section", "H", "--dims", "200,100", "--angle", "inf", "-o", out}, "'inf' is too large"},
        {{"breakline", "0,0", "nan,1", "-o", out}, "'nan' is not a number"},
        {{"copyfloor", drawing, "--into", out, "--scale", "0"}, "0 is not a number other than 0"},
        {{"copyfloor", drawing, "--into", out, "--at", "inf,0"}, "'inf' is too large"},
        {{"imported", drawing, "move", "nan,1"}, "'nan' is not a number"},
        {{"imported", drawing, "scale", "1e400"}, "'1e400' is too large"},
        {{"imported", drawing, "rotate", "inf"}, "'inf' is too large"},
        {{"imported", drawing, "scale", "1", "--base", "3,nan"}, "'nan' is not a number"},
        {{"plot", drawing, "-o", out, "--scale", "-1"}, "-1 is not above 0"},
        {{"table", "--new", "2x2", "-o", out, "--scale", "0"}, "0 is not above 0"},
    };
    for (const Case& c : cases) {
        const KwutilRun run = RunKwutil(c.words);
        const std::string shown = c.words[0] + " ... " + c.words.back();
        EXPECT_NE(run.status, 0) << shown << "\n" << run.out;
        EXPECT_NE(run.out.find(c.said), std::string::npos) << shown << "\n" << run.out;
        EXPECT_LT(run.out.size(), 400u) << shown << "\n" << run.out;  // one clear line, no 300-digit range
        EXPECT_TRUE(fs::is_empty(dir.path())) << shown;
    }
}

std::string UserRegistry() {
    std::ifstream in(fs::path(std::getenv("XDG_CONFIG_HOME")) / "kelo" / "user.reg", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(KwutilSetup, ADirectoryNameThatIsNotUtf8IsRefusedAndNothingIsRecorded) {
    TempDir dir;
    const std::string before = UserRegistry();
    const KwutilRun run = RunKwutil({"setup", (dir.path() / "x\xFFy").string()});
    EXPECT_EQ(run.status, 2) << run.out;
    EXPECT_NE(run.out.find("x\\xFFy (not UTF-8 text)"), std::string::npos) << run.out;
    EXPECT_FALSE(fs::exists(dir.path() / "x\xFFy"));
    EXPECT_EQ(UserRegistry(), before);
}

TEST(KwutilSetup, ADirectoryNameTooLongForTheDrawingProgramsIsRefused) {
    TempDir dir;
    const std::string before = UserRegistry();
    const KwutilRun run = RunKwutil({"setup", (dir.path() / std::string(300, 'a')).string()});
    EXPECT_EQ(run.status, 2) << run.out;
    EXPECT_NE(run.out.find("bytes the drawing programs read"), std::string::npos) << run.out;
    EXPECT_EQ(UserRegistry(), before);
}

TEST(KwutilSetup, ARegistryFileThatCannotBeWrittenIsNamedWithItsReason) {
    TempDir dir;
    const fs::path userFile = fs::path(std::getenv("XDG_CONFIG_HOME")) / "kelo" / "user.reg";
    const bool existed = fs::exists(userFile);
    fs::path saved = dir.path() / "saved.reg";
    if (existed) fs::rename(userFile, saved);
    fs::create_directories(userFile);  // a folder where the file belongs: no write can succeed
    const KwutilRun run = RunKwutil({"setup", (dir.path() / "cfg").string()});
    fs::remove(userFile);
    if (existed) fs::rename(saved, userFile);
    EXPECT_EQ(run.status, 2) << run.out;
    EXPECT_NE(run.out.find("Is a directory"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("machine-wide"), std::string::npos) << run.out;
}

TEST(KwutilQuery, AMissThatIsNotUtf8IsShownAsBytes) {
    const KwutilRun run = RunKwutil({"layer", "\xC1\xBA"});  // GBK bytes typed on a UTF-8 terminal
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("not found: \\xC1\\xBA (not UTF-8 text)"), std::string::npos) << run.out;
    const KwutilRun help = RunKwutil({"layer", "--help"});
    EXPECT_NE(help.out.find(ckw::text::U8(u8"e.g. 梁")), std::string::npos) << help.out;
}

}  // namespace
}  // namespace ckw::test
