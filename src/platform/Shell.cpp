#include "platform/Shell.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/Ui.h"
#include "base/GbkText.h"

extern char** environ;

namespace ckw::shell {

namespace {

class SpawnLauncher : public Launcher {
public:
    bool Start(const std::vector<std::string>& argvUtf8) override {
        if (argvUtf8.empty()) return false;
        std::vector<char*> argv;
        for (const std::string& arg : argvUtf8) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        posix_spawnattr_t attr;
        posix_spawnattr_init(&attr);
        // Its own session: the program outlives the caller and gets none of its signals.
        posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        pid_t pid = 0;
        int error = posix_spawnp(&pid, argv[0], &actions, &attr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attr);
        if (error != 0) return false;
        // Nobody waits for the program; a thread of its own collects its exit status.
        std::thread([pid] {
            int status = 0;
            ::waitpid(pid, &status, 0);
        }).detach();
        return true;
    }
};

Launcher*& Installed() {
    static Launcher* launcher = nullptr;
    return launcher;
}

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool InPath(const std::string& program) {
    std::string path = Env("PATH");
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(':', start);
        if (end == std::string::npos) end = path.size();
        std::filesystem::path candidate = std::filesystem::path(path.substr(start, end - start)) / program;
        if (::access(candidate.c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

Launcher& CurrentLauncher() {
    static SpawnLauncher standard;
    return Installed() ? *Installed() : standard;
}

void SetLauncher(Launcher* launcher) { Installed() = launcher; }

bool OpenWithAssociatedProgram(const std::string& pathGbk) {
    return CurrentLauncher().Start({"xdg-open", ckw::text::GbkToUtf8(pathGbk)});
}

bool OpenInTextEditor(const std::string& pathGbk) {
    std::string path = ckw::text::GbkToUtf8(pathGbk);
    // The editor variables may hold a command with options ("code --wait"): the shell splits
    // them; the path is its first positional parameter and is never split.
    if (!Env("VISUAL").empty()) return CurrentLauncher().Start({"sh", "-c", "exec $VISUAL \"$1\"", "sh", path});
    if (!Env("EDITOR").empty() && ckw::ui::DisplayAvailable() && InPath("x-terminal-emulator"))
        return CurrentLauncher().Start({"x-terminal-emulator", "-e", "sh", "-c", "exec $EDITOR \"$1\"", "sh", path});
    return OpenWithAssociatedProgram(pathGbk);
}

namespace {

constexpr size_t kKeptErrors = 64 * 1024;

// Starts the program with stdin from /dev/null, its stdout into a pipe (captured) or onto the
// caller's stderr, its stderr into a pipe; reads both until they close or the limit passes.
RunResult Run(const std::vector<std::string>& argvUtf8, bool capture, std::chrono::milliseconds limit) {
    RunResult result;
    if (argvUtf8.empty()) return result;
    int outPipe[2] = {-1, -1}, errPipe[2];
    if (::pipe2(errPipe, O_CLOEXEC) != 0) return result;
    if (capture && ::pipe2(outPipe, O_CLOEXEC) != 0) {
        ::close(errPipe[0]), ::close(errPipe[1]);
        return result;
    }
    std::vector<char*> argv;
    for (const std::string& arg : argvUtf8) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, capture ? outPipe[1] : STDERR_FILENO, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
    pid_t pid = 0;
    int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(errPipe[1]);
    if (capture) ::close(outPipe[1]);
    if (error != 0) {
        ::close(errPipe[0]);
        if (capture) ::close(outPipe[0]);
        return result;
    }
    result.started = true;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    pollfd fds[2] = {{errPipe[0], POLLIN, 0}, {outPipe[0], POLLIN, 0}};
    int open = capture ? 2 : 1;
    char chunk[65536];
    while (open > 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            result.timedOut = true;
            ::kill(pid, SIGKILL);
            break;
        }
        if (::poll(fds, 2, static_cast<int>(std::min<long long>(left.count(), 1000))) < 0 && errno != EINTR) break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            const ssize_t n = ::read(fds[i].fd, chunk, sizeof chunk);
            if (n > 0 && i == 1) {
                result.output.append(chunk, static_cast<size_t>(n));
            } else if (n > 0 && !capture) {  // the first errors, as they came
                const size_t room = kKeptErrors - std::min(kKeptErrors, result.errors.size());
                result.errors.append(chunk, std::min(room, static_cast<size_t>(n)));
            } else if (n > 0) {  // the last errors: where a failing program says why
                result.errors.append(chunk, static_cast<size_t>(n));
                if (result.errors.size() > 2 * kKeptErrors) result.errors.erase(0, result.errors.size() - kKeptErrors);
            } else if (n == 0 || errno != EINTR) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (pollfd& f : fds)
        if (f.fd >= 0) ::close(f.fd);
    if (result.errors.size() > kKeptErrors) result.errors.erase(0, result.errors.size() - kKeptErrors);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return result;
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

}  // namespace

RunResult RunAndWait(const std::vector<std::string>& argvUtf8) {
    return Run(argvUtf8, false, std::chrono::hours(24 * 365));
}

RunResult RunAndCapture(const std::vector<std::string>& argvUtf8, std::chrono::milliseconds limit) {
    return Run(argvUtf8, true, limit);
}

}  // namespace ckw::shell
