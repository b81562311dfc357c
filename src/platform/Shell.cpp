#include "platform/Shell.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

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

RunResult RunAndWait(const std::vector<std::string>& argvUtf8) {
    RunResult result;
    if (argvUtf8.empty()) return result;
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) return result;
    std::vector<char*> argv;
    for (const std::string& arg : argvUtf8) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, STDERR_FILENO, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
    pid_t pid = 0;
    int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (error != 0) {
        ::close(pipeFds[0]);
        return result;
    }
    result.started = true;
    constexpr size_t kKeptErrors = 64 * 1024;
    char chunk[4096];
    for (;;) {
        ssize_t n = ::read(pipeFds[0], chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        size_t room = kKeptErrors - std::min(kKeptErrors, result.errors.size());
        result.errors.append(chunk, std::min(room, static_cast<size_t>(n)));
    }
    ::close(pipeFds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return result;
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

}  // namespace ckw::shell
