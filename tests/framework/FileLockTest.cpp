#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/FileLock.h"
#include "support/TestEnv.h"

using ckw::fs::FileLock;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// Runs body in a child process; returns its pid.
template <typename Body>
pid_t Child(Body body) {
    const pid_t pid = fork();
    if (pid == 0) _exit(body());
    return pid;
}

int ExitOf(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Blocks until the child has written its byte (it holds the lock then).
void AwaitSignal(int fd) {
    char c = 0;
    ASSERT_EQ(read(fd, &c, 1), 1);
}

}  // namespace

TEST(FileLock, ASecondTakerWaitsThenNamesTheHolderAndGetsItOnceReleased) {
    ckw::test::TempDir dir;
    const fs::path drawing = dir.path() / "平面.T";
    int ready[2], done[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(done), 0);
    const pid_t holder = Child([&] {
        FileLock lock = FileLock::Take(drawing);
        if (!lock.held()) return 1;
        char c = 1;
        if (write(ready[1], &c, 1) != 1 || read(done[0], &c, 1) != 1) return 2;
        return 0;
    });
    AwaitSignal(ready[0]);

    const auto start = std::chrono::steady_clock::now();
    FileLock second = FileLock::Take(drawing, 300ms);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 300ms);
    EXPECT_FALSE(second.held());
    EXPECT_NE(second.why().find(drawing.string() + " is being changed by "), std::string::npos) << second.why();
    EXPECT_NE(second.why().find("(process " + std::to_string(holder) + ")"), std::string::npos) << second.why();

    char c = 1;
    ASSERT_EQ(write(done[1], &c, 1), 1);
    EXPECT_EQ(ExitOf(holder), 0);
    EXPECT_FALSE(fs::exists(ckw::fs::LockFileOf(drawing)));
    FileLock third = FileLock::Take(drawing, 0ms);
    EXPECT_TRUE(third.held()) << third.why();
    EXPECT_TRUE(fs::exists(ckw::fs::LockFileOf(drawing)));
    third.Release();
    EXPECT_FALSE(fs::exists(ckw::fs::LockFileOf(drawing)));
}

TEST(FileLock, TheLockFileOfAKilledHolderIsTakenOver) {
    ckw::test::TempDir dir;
    const fs::path table = dir.path() / "T.TDB";
    const pid_t killed = Child([&] {
        FileLock lock = FileLock::Take(table);
        kill(getpid(), SIGKILL);
        return 0;
    });
    EXPECT_EQ(ExitOf(killed), -1);
    ASSERT_TRUE(fs::exists(ckw::fs::LockFileOf(table)));
    FileLock lock = FileLock::Take(table, 0ms);
    EXPECT_TRUE(lock.held()) << lock.why();
}

TEST(FileLock, AFolderThatCannotHoldTheLockFileGivesTheSystemsReason) {
    ckw::test::TempDir dir;
    FileLock lock = FileLock::Take(dir.path() / "missing" / "a.T", 0ms);
    EXPECT_FALSE(lock.held());
    EXPECT_NE(lock.why().find("No such file or directory"), std::string::npos) << lock.why();
}

// Several processes each add to a counter file under the lock many times, the lock file coming and
// going between holders: no increment is lost.
TEST(FileLock, ProcessesTakingTurnsLoseNoChange) {
    ckw::test::TempDir dir;
    const fs::path counter = dir.path() / "count";
    std::ofstream(counter) << 0;
    constexpr int kProcesses = 4, kTurns = 50;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p)
        children.push_back(Child([&] {
            for (int turn = 0; turn < kTurns; ++turn) {
                FileLock lock = FileLock::Take(counter, 20s);
                if (!lock.held()) return 1;
                int n = 0;
                std::ifstream(counter) >> n;
                std::ofstream(counter) << n + 1;
            }
            return 0;
        }));
    for (pid_t pid : children) EXPECT_EQ(ExitOf(pid), 0);
    int n = 0;
    std::ifstream(counter) >> n;
    EXPECT_EQ(n, kProcesses * kTurns);
    EXPECT_FALSE(fs::exists(ckw::fs::LockFileOf(counter)));
}
