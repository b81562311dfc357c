#include "platform/FileLock.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>
#include <utility>

namespace ckw::fs {

namespace stdfs = std::filesystem;

namespace {

std::string UserName() {
    if (const passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_name) return pw->pw_name;
    if (const char* user = std::getenv("USER"); user && *user) return user;
    return "uid " + std::to_string(::geteuid());
}

std::string HostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || !name[0]) return "this host";
    return name;
}

// "user on host (process N)" from a lock file, or "another program" while it is still empty.
std::string Holder(const stdfs::path& lockFile) {
    std::ifstream in(lockFile);
    std::string line, user, host, pid;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == "user") user = value;
        if (key == "host") host = value;
        if (key == "pid") pid = value;
    }
    if (user.empty() || host.empty() || pid.empty()) return "another program";
    return user + " on " + host + " (process " + pid + ")";
}

bool WriteAll(int fd, const std::string& text) {
    for (size_t done = 0; done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// The lock is valid only while the name still leads to the locked file: a holder that let go
// removed it, and a third program may have made a new one meanwhile.
bool StillNamed(int fd, const stdfs::path& lockFile) {
    struct stat locked {
    }, named{};
    return ::fstat(fd, &locked) == 0 && ::stat(lockFile.c_str(), &named) == 0 && locked.st_dev == named.st_dev &&
           locked.st_ino == named.st_ino;
}

}  // namespace

stdfs::path LockFileOf(const stdfs::path& file) {
    return file.parent_path() / ("." + file.filename().string() + ".lock");
}

FileLock::FileLock(FileLock&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_lockFile(std::move(other.m_lockFile)), m_why(std::move(other.m_why)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        m_fd = std::exchange(other.m_fd, -1);
        m_lockFile = std::move(other.m_lockFile);
        m_why = std::move(other.m_why);
    }
    return *this;
}

void FileLock::Release() noexcept {
    if (m_fd < 0) return;
    // Removed while still held, so no other program's lock file is ever removed.
    ::unlink(m_lockFile.c_str());
    ::close(m_fd);
    m_fd = -1;
}

FileLock FileLock::Take(const stdfs::path& file, std::chrono::milliseconds wait) {
    FileLock lock;
    lock.m_lockFile = LockFileOf(file);
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        const int fd = ::open(lock.m_lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) {
            lock.m_why = "cannot lock " + file.string() + ": " + std::strerror(errno);
            return lock;
        }
        int got = ::flock(fd, LOCK_EX | LOCK_NB);
        while (got != 0 && errno == EINTR) got = ::flock(fd, LOCK_EX | LOCK_NB);
        if (got == 0 && StillNamed(fd, lock.m_lockFile)) {
            const std::string holder =
                "user=" + UserName() + "\nhost=" + HostName() + "\npid=" + std::to_string(::getpid()) + "\n";
            if (::ftruncate(fd, 0) != 0 || !WriteAll(fd, holder)) {
                lock.m_why = "cannot lock " + file.string() + ": " + std::strerror(errno);
                ::unlink(lock.m_lockFile.c_str());
                ::close(fd);
                return lock;
            }
            lock.m_fd = fd;
            return lock;
        }
        const int why = errno;
        ::close(fd);
        if (got != 0 && why != EWOULDBLOCK) {
            lock.m_why = "cannot lock " + file.string() + ": " + std::strerror(why);
            return lock;
        }
        if (got != 0 && std::chrono::steady_clock::now() >= deadline) {
            lock.m_why = file.string() + " is being changed by " + Holder(lock.m_lockFile);
            return lock;
        }
        if (got != 0) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

}  // namespace ckw::fs
