#include "framework/FileCopy.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>

namespace ckw::fs {

namespace stdfs = std::filesystem;

bool SyncFile(const stdfs::path& file) {
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

bool CopyFileReplacing(const std::string& sourceUtf8, const std::string& targetUtf8) {
    std::error_code ec;
    stdfs::path target(targetUtf8);
    stdfs::path temp = target;
    temp += ".tmp" + std::to_string(::getpid());
    stdfs::copy_file(sourceUtf8, temp, stdfs::copy_options::overwrite_existing, ec);
    // The copy must be on the disk before it replaces the target.
    if (!ec && !SyncFile(temp)) ec = std::make_error_code(std::errc::io_error);
    if (!ec) stdfs::rename(temp, target, ec);
    if (ec) {
        stdfs::remove(temp, ec);
        return false;
    }
    return true;
}

int RemoveStaleTemporaries(const stdfs::path& directory, std::string_view prefix) {
    int removed = 0;
    std::error_code ec;
    for (stdfs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
        long pid = 0;
        const char* digits = name.data() + prefix.size();
        auto [rest, err] = std::from_chars(digits, name.data() + name.size(), pid);
        if (err != std::errc() || rest == digits || pid <= 0) continue;
        // Our own process may be writing it; a process that exists may be another program's.
        if (pid == ::getpid() || ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        std::error_code removeError;
        if (stdfs::remove(it->path(), removeError)) ++removed;
    }
    return removed;
}

}  // namespace ckw::fs
