#pragma once
// The advisory lock a program holds on a file it reads, changes and writes back (a drawing, a
// table file), so that two programs never write over each other's change. The lock is a lock
// file beside the file (".NAME.lock", flock on it) naming the holder's user, host and process;
// the rename that replaces the file itself would take a lock on the file with it. The kernel
// drops a dead holder's flock, so a lock file left by a killed process is simply taken over.
#include <chrono>
#include <filesystem>
#include <string>

namespace ckw::fs {

// How long a second program waits for the holder before it gives up.
inline constexpr std::chrono::milliseconds kLockWait{3000};

class [[nodiscard]] FileLock {
public:
    FileLock() = default;  // holds nothing
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock() { Release(); }

    bool held() const noexcept { return m_fd >= 0; }
    // Why the lock was not taken, for a person (UTF-8): who holds the file, or the system's reason
    // the lock file could not be made. Empty while held.
    const std::string& why() const noexcept { return m_why; }
    // Lets go of the lock and removes the lock file.
    void Release() noexcept;

    // Takes the lock on file (UTF-8 path; the file need not exist yet), waiting up to `wait` for
    // another holder. Each call is a holder of its own, also within one process.
    static FileLock Take(const std::filesystem::path& file, std::chrono::milliseconds wait = kLockWait);

private:
    int m_fd = -1;
    std::filesystem::path m_lockFile;
    std::string m_why;
};

// The lock file of file: ".NAME.lock" in the same folder.
std::filesystem::path LockFileOf(const std::filesystem::path& file);

}  // namespace ckw::fs
