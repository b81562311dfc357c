// Where the configuration directory is recorded, and the drawing mode.
#include <gtest/gtest.h>

#include <unistd.h>
#include <sys/wait.h>

#include <climits>
#include <cstdlib>
#include <filesystem>

#include <ckw/Util.h>
#include "support/ParaFixture.h"

using ckw::test::ParaFixture;
namespace reg = ckw::registry;

namespace {

const char* const kPathKey = "Software\\KELO\\MAIN\\PATH";

class KeloConfig : public ParaFixture {};

std::string ThisProgram() {
    char buffer[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, size_t(n)) : std::string();
}

}  // namespace

TEST_F(KeloConfig, RecordedDirectoryIsCopiedToTheCaller) {
    char dir[260] = "unchanged";
    ASSERT_EQ(CUtil::GetKeloCfgPath(dir), 1);
    EXPECT_EQ(std::string(dir), CfgGbk());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(KeloConfig, MissingKeyOrValueIsReportedAndTheBufferKept) {
    std::filesystem::remove(reg::FileRegistry::UserFile());
    std::filesystem::remove(reg::FileRegistry::MachineFile());
    char dir[260] = "unchanged";
    EXPECT_EQ(CUtil::GetKeloCfgPath(dir), 0);
    EXPECT_STREQ(dir, "unchanged");
    EXPECT_EQ(Messages(), (std::vector<std::string>{"错误: 查询无法打开有关的hKEY!", "错误:无法查询有关注册表信息!"}));

    // The key without the value this program reads.
    m_ui.Clear();
    reg::Current().SetString(reg::Hive::LocalMachine, kPathKey, "CFG-SL", "/elsewhere");
    EXPECT_EQ(CUtil::GetKeloCfgPath(dir), 0);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"错误:无法查询有关注册表信息!"}));
}

TEST_F(KeloConfig, DirectoryTooLongForTheCallerIsRefusedNotCut) {
    reg::Current().SetString(reg::Hive::LocalMachine, kPathKey, "CFG", "/" + std::string(259, 'd'));
    char dir[260] = "unchanged";
    EXPECT_EQ(CUtil::GetKeloCfgPath(dir), 0);
    EXPECT_STREQ(dir, "unchanged");
}

TEST_F(KeloConfig, DrawingModeDefaultsToModelSpaceAndIsStoredPerUser) {
    EXPECT_EQ(m_exDrawingPara.GetDrawingKind05(), 2008);
    m_exDrawingPara.SetDrawingKind05(2005);
    EXPECT_EQ(m_exDrawingPara.GetDrawingKind05(), 2005);
    EXPECT_EQ(reg::Current().GetDword(reg::Hive::CurrentUser, "Software\\KELO Software\\StructDrawingSetting",
                                      "DrawingKind05"),
              2005u);
}

// Run only as a child of the next test, from a program path that names the other installation.
TEST_F(KeloConfig, DISABLED_ChildReadsTheValueOfItsProgram) {
    reg::Current().SetString(reg::Hive::LocalMachine, kPathKey, "CFG-SL", "/other/cfg");
    char dir[260] = "";
    ASSERT_EQ(CUtil::GetKeloCfgPath(dir), 1);
    EXPECT_STREQ(dir, "/other/cfg");
}

TEST_F(KeloConfig, ProgramOfTheOtherInstallationReadsItsOwnValue) {
    char dir[260] = "";
    ASSERT_EQ(CUtil::GetKeloCfgPath(dir), 1);
    ASSERT_EQ(std::string(dir), CfgGbk()) << "this program reads CFG";

    // The same program under a folder named like the other installation, in another letter case.
    auto folder = m_home.root() / "opt" / "ZaveDivuRadar" / "bin";
    std::filesystem::create_directories(folder);
    auto program = folder / "test_drawpara";
    std::error_code ec;
    std::filesystem::create_hard_link(ThisProgram(), program, ec);
    if (ec) std::filesystem::copy_file(ThisProgram(), program);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        execl(program.c_str(), program.c_str(), "--gtest_also_run_disabled_tests",
              "--gtest_filter=KeloConfig.DISABLED_ChildReadsTheValueOfItsProgram", "--gtest_brief=1",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
