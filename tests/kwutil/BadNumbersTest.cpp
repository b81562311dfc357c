// Numbers typed on kwutil's command line: NaN, infinities, overflowing and out-of-range values are
// refused with a message naming what was typed, before anything is drawn or saved.
#include <gtest/gtest.h>

#include <filesystem>

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
        {{"copyfloor", drawing, "--into", out, "--scale", "0"}, "0 is not above 0"},
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

}  // namespace
}  // namespace ckw::test
