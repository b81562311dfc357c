#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "base/GbkText.h"
#include "registry/RegDocument.h"
#include "registry/Registry.h"
#include "support/TestEnv.h"

using namespace ckw::registry;
using ckw::text::U8;
namespace fs = std::filesystem;

namespace {

const std::string kPathKey = "Software\\KELO\\MAIN\\PATH";
const std::string kModeKey = "Software\\KELO Software\\StructDrawingSetting";

// Each test gets its own configuration directories and gives the old ones back afterwards.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"}) {
            const char* v = getenv(name);
            saved.emplace_back(name, v ? std::optional<std::string>(v) : std::nullopt);
        }
        Point(dir.path() / "home", dir.path() / "etc");
    }
    void TearDown() override {
        for (const auto& [name, value] : saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
    static void Point(const fs::path& configHome, const fs::path& configDir) {
        setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
        setenv("XDG_CONFIG_DIRS", (configDir.string() + ":/etc/xdg").c_str(), 1);
    }
    static std::string Read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void Write(const fs::path& file, const std::string& text) {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    }
    fs::path userFile() const { return dir.path() / "home" / "kelo" / "user.reg"; }
    fs::path machineFile() const { return dir.path() / "etc" / "kelo" / "machine.reg"; }

    ckw::test::TempDir dir;
    FileRegistry reg;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
};

TEST_F(RegistryTest, FilesFollowTheEnvironmentAtEachUse) {
    EXPECT_EQ(FileRegistry::UserFile(), userFile());
    EXPECT_EQ(FileRegistry::MachineFile(), machineFile());
    ASSERT_TRUE(reg.SetDword(Hive::CurrentUser, kModeKey, "DrawingKind05", 2005));

    Point(dir.path() / "other", dir.path() / "etc");
    EXPECT_FALSE(reg.GetDword(Hive::CurrentUser, kModeKey, "DrawingKind05")) << "a missing file is an empty registry";
    EXPECT_FALSE(reg.KeyExists(Hive::CurrentUser, kModeKey));

    setenv("XDG_CONFIG_HOME", "relative/dir", 1);  // not absolute: ignored, as the XDG rules say
    setenv("XDG_CONFIG_DIRS", "", 1);
    EXPECT_EQ(FileRegistry::UserFile(), fs::path(getenv("HOME")) / ".config" / "kelo" / "user.reg");
    EXPECT_EQ(FileRegistry::MachineFile(), fs::path("/etc/xdg/kelo/machine.reg"));
}

TEST_F(RegistryTest, WritesRegTextThatReadsBack) {
    const std::string cfg = ckw::text::Utf8ToGbk(U8(u8"/home/u/结构\\cfg \"A\""));
    ASSERT_TRUE(reg.SetString(Hive::LocalMachine, kPathKey, "CFG", cfg));
    ASSERT_TRUE(reg.SetDword(Hive::CurrentUser, kModeKey, "DrawingKind05", 2005));
    ASSERT_TRUE(reg.SetDword(Hive::CurrentUser, kModeKey, "DrawingKind05", 2008));  // replaces

    EXPECT_EQ(reg.GetString(Hive::LocalMachine, kPathKey, "CFG"), cfg) << "values come back in GBK";
    EXPECT_EQ(reg.GetString(Hive::LocalMachine, "software\\kelo\\main\\path\\", "cfg"), cfg)
        << "keys and names ignore letter case";
    EXPECT_EQ(reg.GetDword(Hive::CurrentUser, kModeKey, "DrawingKind05"), 2008u);
    EXPECT_FALSE(reg.GetString(Hive::CurrentUser, kModeKey, "DrawingKind05")) << "a DWORD is not a string";

    EXPECT_EQ(Read(machineFile()), U8(u8"Windows Registry Editor Version 5.00\n\n"
                                      u8"[HKEY_LOCAL_MACHINE\\Software\\KELO\\MAIN\\PATH]\n"
                                      u8"\"CFG\"=\"/home/u/结构\\\\cfg \\\"A\\\"\"\n"));
    EXPECT_EQ(Read(userFile()),
              "Windows Registry Editor Version 5.00\n\n"
              "[HKEY_CURRENT_USER\\Software\\KELO Software\\StructDrawingSetting]\n"
              "\"DrawingKind05\"=dword:000007d8\n");
}

TEST_F(RegistryTest, MachineValuesFallBackToTheUserFile) {
    Write(userFile(),
          "Windows Registry Editor Version 5.00\n\n"
          "[HKEY_LOCAL_MACHINE\\Software\\KELO\\MAIN\\PATH]\n\"CFG\"=\"/user/cfg\"\n\"Extra\"=\"u\"\n");
    EXPECT_TRUE(reg.KeyExists(Hive::LocalMachine, kPathKey));
    EXPECT_EQ(reg.GetString(Hive::LocalMachine, kPathKey, "CFG"), "/user/cfg");

    Write(machineFile(),
          "Windows Registry Editor Version 5.00\n\n"
          "[HKEY_LOCAL_MACHINE\\Software\\KELO\\MAIN\\PATH]\n\"CFG\"=\"/machine/cfg\"\n");
    EXPECT_EQ(reg.GetString(Hive::LocalMachine, kPathKey, "CFG"), "/machine/cfg") << "the machine file comes first";
    EXPECT_EQ(reg.GetString(Hive::LocalMachine, kPathKey, "Extra"), "u") << "value by value";
    EXPECT_FALSE(reg.KeyExists(Hive::CurrentUser, kPathKey)) << "HKCU never reads HKLM keys";
}

TEST_F(RegistryTest, MachineWritesGoToTheUserFileWhenTheMachineFileCannotBeWritten) {
    Write(dir.path() / "blocker", "a file where a directory would have to be");
    Point(dir.path() / "home", dir.path() / "blocker");
    ASSERT_TRUE(reg.SetString(Hive::LocalMachine, kPathKey, "CFG", "/mine"));
    EXPECT_EQ(reg.GetString(Hive::LocalMachine, kPathKey, "CFG"), "/mine");
    EXPECT_NE(Read(userFile()).find("[HKEY_LOCAL_MACHINE\\Software\\KELO\\MAIN\\PATH]"), std::string::npos);
}

TEST_F(RegistryTest, FallbackWriteThatTheMachineValueWouldHideIsReportedAsFailure) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes read-only directories";
    Write(machineFile(), "[HKEY_LOCAL_MACHINE\\Software\\KELO\\MAIN\\PATH]\n\"CFG\"=\"/machine\"\n");
    fs::permissions(machineFile().parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(reg.SetString(Hive::LocalMachine, kPathKey, "CFG", "/mine"));
    EXPECT_TRUE(reg.SetString(Hive::LocalMachine, kPathKey, "Other", "/mine")) << "a value the machine lacks";
    fs::permissions(machineFile().parent_path(), fs::perms::owner_all);
    EXPECT_EQ(reg.GetString(Hive::LocalMachine, kPathKey, "CFG"), "/machine");
    EXPECT_EQ(Read(machineFile()), "[HKEY_LOCAL_MACHINE\\Software\\KELO\\MAIN\\PATH]\n\"CFG\"=\"/machine\"\n");
}

TEST_F(RegistryTest, FailedWriteLeavesTheOldFileAndNoLitter) {
    if (geteuid() != 0) {
        ASSERT_TRUE(reg.SetDword(Hive::CurrentUser, kModeKey, "DrawingKind05", 2005));
        std::string before = Read(userFile());
        fs::permissions(userFile().parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(reg.SetDword(Hive::CurrentUser, kModeKey, "DrawingKind05", 2008));
        fs::permissions(userFile().parent_path(), fs::perms::owner_all);
        EXPECT_EQ(Read(userFile()), before);
    }
    // A directory where the file should be: the rename fails, and the temporary file goes.
    fs::remove_all(userFile().parent_path());
    fs::create_directories(userFile());
    EXPECT_FALSE(reg.SetDword(Hive::CurrentUser, kModeKey, "DrawingKind05", 2008));
    size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(userFile().parent_path())) ++entries;
    EXPECT_EQ(entries, 1u);
}

TEST_F(RegistryTest, LineBreaksInValuesAreRefusedRatherThanBreakingTheFile) {
    EXPECT_FALSE(reg.SetString(Hive::CurrentUser, kModeKey, "Name", "two\nlines"));
    EXPECT_FALSE(reg.SetString(Hive::CurrentUser, kModeKey, "A\rB", "v"));
    EXPECT_FALSE(fs::exists(userFile()));
}

TEST_F(RegistryTest, DamagedLinesAreSkippedAndTheRestKept) {
    Write(userFile(),
          "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n"
          "\"Orphan\"=\"before any key\"\r\n"
          "[HKEY_CURRENT_USER\\Software\\A]\r\n"
          "\"Good\"=\"yes\"\r\n"
          "garbage line\r\n"
          "\"Open\"=\"no closing quote\r\n"
          "\"BadDword\"=dword:xyz\r\n"
          "\"TooLong\"=dword:123456789\r\n"
          "\"Trailing\"=\"x\" junk\r\n"
          "\"Bin\"=hex:01,02,\\\r\n  03,04\r\n"
          "[HKEY_CURRENT_USER\\Software\\Broken\r\n"
          "\"Lost\"=\"belongs to no key\"\r\n"
          "[HKCU\\Software\\B]\r\n"
          "@=\"default\"\r\n"
          "\"N\"=dword:0000000a\r\n" +
              std::string(100000, 'x') + "\r\n");
    EXPECT_EQ(reg.GetString(Hive::CurrentUser, "Software\\A", "Good"), "yes");
    EXPECT_EQ(reg.GetString(Hive::CurrentUser, "Software\\B", ""), "default");
    EXPECT_EQ(reg.GetDword(Hive::CurrentUser, "Software\\B", "N"), 10u);
    for (const char* name : {"Open", "BadDword", "TooLong", "Trailing", "Lost"})
        EXPECT_FALSE(reg.GetString(Hive::CurrentUser, "Software\\A", name) ||
                     reg.GetDword(Hive::CurrentUser, "Software\\A", name))
            << name;
    EXPECT_FALSE(reg.GetString(Hive::CurrentUser, "Software\\B", "Lost"));

    auto doc = RegDocument::Parse(Read(userFile()));
    EXPECT_EQ(doc.skippedLines(), 9u);

    // Rewriting keeps what could be read, values of other types included.
    ASSERT_TRUE(reg.SetDword(Hive::CurrentUser, "Software\\A", "New", 1));
    std::string after = Read(userFile());
    EXPECT_NE(after.find("\"Bin\"=hex:01,02,03,04\n"), std::string::npos) << after;
    EXPECT_NE(after.find("[HKEY_CURRENT_USER\\Software\\B]\n@=\"default\"\n\"N\"=dword:0000000a\n"), std::string::npos);
    EXPECT_EQ(reg.GetString(Hive::CurrentUser, "Software\\A", "Good"), "yes");
}

class FakeRegistry : public Registry {
public:
    bool KeyExists(Hive, const std::string&) override { return true; }
    std::optional<std::string> GetString(Hive, const std::string&, const std::string&) override { return "fake"; }
    std::optional<uint32_t> GetDword(Hive, const std::string&, const std::string&) override { return 1; }
    bool SetString(Hive, const std::string&, const std::string&, const std::string&) override { return true; }
    bool SetDword(Hive, const std::string&, const std::string&, uint32_t) override { return true; }
};

TEST_F(RegistryTest, CurrentCanBeReplacedAndRestored) {
    FakeRegistry fake;
    SetCurrent(&fake);
    EXPECT_EQ(Current().GetString(Hive::CurrentUser, "k", "n"), "fake");
    SetCurrent(nullptr);
    EXPECT_NE(dynamic_cast<FileRegistry*>(&Current()), nullptr);
}

}  // namespace

TEST_F(RegistryTest, UserConfigurationOfAMachineKeyGoesToTheUserFileOnly) {
    FileRegistry registry;
    ASSERT_TRUE(registry.SetStringForUser(Hive::LocalMachine, "Software\\KELO\\MAIN\\PATH", "CFG", "/home/u/cfg"));
    EXPECT_FALSE(fs::exists(machineFile()));
    EXPECT_EQ(registry.GetString(Hive::LocalMachine, "Software\\KELO\\MAIN\\PATH", "CFG"), "/home/u/cfg");
    // A machine-wide value would hide the user's: refused rather than written in vain.
    ASSERT_TRUE(registry.SetString(Hive::LocalMachine, "Software\\KELO\\MAIN\\PATH", "CFG", "/opt/cfg"));
    EXPECT_FALSE(registry.SetStringForUser(Hive::LocalMachine, "Software\\KELO\\MAIN\\PATH", "CFG", "/home/u/x"));
}

TEST_F(RegistryTest, AFileThatCannotBeReadOrIsNoRegistryIsNeverWritten) {
    const std::string binary(
        "\x7F"
        "ELF\0\0\x01garbage",
        14);
    for (const std::string& content : {binary, std::string("not a registry\nat all\n"), std::string("\xFF\xFE[x]\n")}) {
        Write(userFile(), content);
        EXPECT_FALSE(reg.GetString(Hive::LocalMachine, kPathKey, "CFG"));
        EXPECT_TRUE(FileRegistry::LastReadProblem().has_value());
        EXPECT_FALSE(reg.SetStringForUser(Hive::LocalMachine, kPathKey, "CFG", "/fresh"));
        EXPECT_FALSE(reg.SetDword(Hive::CurrentUser, kModeKey, "DrawingKind05", 2005));
        EXPECT_EQ(Read(userFile()), content);
    }
    // A file that cannot be opened (here: a directory in its place) is not taken for a missing one.
    fs::remove(userFile());
    fs::create_directories(userFile());
    EXPECT_FALSE(reg.GetDword(Hive::CurrentUser, kModeKey, "DrawingKind05"));
    EXPECT_TRUE(FileRegistry::LastReadProblem().has_value());
    EXPECT_FALSE(reg.SetDword(Hive::CurrentUser, kModeKey, "DrawingKind05", 2005));
    EXPECT_TRUE(fs::is_directory(userFile()));
}

// A write cut off by a crash or a full disk leaves the file ending inside a line; what is left
// may still read (a shorter key, fewer digits), so such a file is damaged, never rewritten.
TEST_F(RegistryTest, AFileEndingInsideALineIsDamagedUnlessTheLineIsWhole) {
    const std::string start =
        "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\KELO\\MAIN\\PATH]\n";
    for (const std::string cut :
         {"\"CFG\"=\"/home/u/cfg\"\n[HKEY_CURRENT_USER\\Software\\KELO Soft", "\"CFG\"=\"/home/u/cf",
          "\"CFG\"=\"/home/u/cfg\"\n\"Kind\"=dword:000007", "\"CFG\"=\"/home/u/cfg\"\n\"Bin\"=hex:01,0"}) {
        Write(userFile(), start + cut);
        EXPECT_FALSE(reg.GetString(Hive::LocalMachine, kPathKey, "CFG")) << cut;
        EXPECT_TRUE(FileRegistry::LastReadProblem().has_value()) << cut;
        EXPECT_FALSE(reg.SetStringForUser(Hive::LocalMachine, kPathKey, "CFG", "/fresh")) << cut;
        EXPECT_EQ(Read(userFile()), start + cut);
    }
    for (const std::string whole : {"\"CFG\"=\"/home/u/cfg\"", "\"CFG\"=\"/home/u/cfg\"\n\"Kind\"=dword:000007d5",
                                    "\"CFG\"=\"/home/u/cfg\"\n; a comment", "\"CFG\"=\"/home/u/cfg\"\n[HKCU\\X]"}) {
        Write(userFile(), start + whole);
        EXPECT_EQ(reg.GetString(Hive::LocalMachine, kPathKey, "CFG"), "/home/u/cfg") << whole;
    }
}

TEST_F(RegistryTest, CommentsAndUnreadableLinesSurviveAWrite) {
    Write(userFile(),
          "Windows Registry Editor Version 5.00\n; kept for the team\n\n"
          "[HKEY_CURRENT_USER\\Software\\A]\n; about Good\n\"Good\"=\"yes\"\nsomething odd\n"
          "[HKEY_CURRENT_USER\\Broken\n\"Lost\"=\"x\"\n");
    ASSERT_TRUE(reg.SetDword(Hive::CurrentUser, "Software\\A", "New", 1));
    std::string after = Read(userFile());
    for (const char* line : {"; kept for the team\n", "; about Good\n", "something odd\n",
                             "[HKEY_CURRENT_USER\\Broken\n", "\"Lost\"=\"x\"\n"})
        EXPECT_NE(after.find(line), std::string::npos) << line << " in\n" << after;
    EXPECT_EQ(reg.GetDword(Hive::CurrentUser, "Software\\A", "New"), 1u) << "written before the kept lines";
    EXPECT_EQ(reg.GetString(Hive::CurrentUser, "Software\\A", "Good"), "yes");
}

TEST_F(RegistryTest, AValueWrittenAfterAHexValueTheFileCutShortIsKept) {
    // The file ends inside a value of several lines; the next value written must not become
    // that value's continuation.
    Write(userFile(),
          "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\A]\n\"Bin\"=hex:01,02,\\\\\n");
    ASSERT_TRUE(reg.SetDword(Hive::CurrentUser, "Software\\A", "New", 7));
    EXPECT_EQ(reg.GetDword(Hive::CurrentUser, "Software\\A", "New"), 7u) << Read(userFile());
    EXPECT_TRUE(reg.SetDword(Hive::CurrentUser, "Software\\A", "Newer", 8));
    EXPECT_EQ(reg.GetDword(Hive::CurrentUser, "Software\\A", "New"), 7u) << Read(userFile());
}

TEST_F(RegistryTest, ConcurrentWritersOfOneFileLoseNoValue) {
    constexpr int kWriters = 3, kValues = 20;
    std::vector<pid_t> children;
    for (int w = 0; w < kWriters; ++w) {
        pid_t pid = fork();
        if (pid == 0) {
            bool ok = true;
            for (int v = 0; v < kValues; ++v)
                ok = reg.SetDword(Hive::CurrentUser, kModeKey, "W" + std::to_string(w) + "_" + std::to_string(v), v) &&
                     ok;
            _exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (int w = 0; w < kWriters; ++w)
        for (int v = 0; v < kValues; ++v)
            EXPECT_EQ(reg.GetDword(Hive::CurrentUser, kModeKey, "W" + std::to_string(w) + "_" + std::to_string(v)),
                      uint32_t(v));
}

// A command reads the files once: one that breaks halfway does not take half the configuration
// with it; a file unreadable from the start says so on every read; its own writes read back.
TEST_F(RegistryTest, ASnapshotAnswersFromTheFilesAsTheyWereWhenMade) {
    ASSERT_TRUE(reg.SetString(Hive::LocalMachine, kPathKey, "CFG", "/cfg"));
    ASSERT_TRUE(reg.SetDword(Hive::CurrentUser, kModeKey, "DrawingKind05", 2005));
    RegistrySnapshot snapshot;
    fs::remove(machineFile());
    Write(userFile(), "not a registry\n");
    EXPECT_EQ(snapshot.GetString(Hive::LocalMachine, kPathKey, "CFG"), "/cfg");
    EXPECT_EQ(snapshot.GetDword(Hive::CurrentUser, kModeKey, "DrawingKind05"), 2005u);
    EXPECT_TRUE(snapshot.KeyExists(Hive::LocalMachine, kPathKey));
    EXPECT_FALSE(FileRegistry::LastReadProblem());
    EXPECT_FALSE(snapshot.SetDword(Hive::CurrentUser, kModeKey, "DrawingKind05", 2008)) << "the file is damaged now";
    EXPECT_EQ(snapshot.GetDword(Hive::CurrentUser, kModeKey, "DrawingKind05"), 2005u);

    RegistrySnapshot broken;
    EXPECT_FALSE(broken.GetString(Hive::LocalMachine, kPathKey, "CFG"));
    EXPECT_TRUE(FileRegistry::LastReadProblem());

    fs::remove(userFile());
    RegistrySnapshot fresh;
    EXPECT_TRUE(fresh.SetStringForUser(Hive::LocalMachine, kPathKey, "CFG", "/new"));
    EXPECT_EQ(fresh.GetString(Hive::LocalMachine, kPathKey, "CFG"), "/new");
    EXPECT_EQ(reg.GetString(Hive::LocalMachine, kPathKey, "CFG"), "/new");
}
