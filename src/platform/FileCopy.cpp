#include "platform/FileCopy.h"

#include "base/DirectorySync.h"
#include "base/StaleTemporaries.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace ckw::fs {

namespace stdfs = std::filesystem;

bool SyncFile(const stdfs::path& file) {
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

bool CopyFileReplacing(const std::string& sourceUtf8, const std::string& targetUtf8) {
    RemoveStaleCopies(targetUtf8);
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
    return SyncDirectory(target.parent_path()) == 0;
}

int RemoveStaleCopies(const std::string& targetUtf8) {
    const stdfs::path target(targetUtf8);
    return RemoveStaleTemporaries(target.has_parent_path() ? target.parent_path() : stdfs::path("."),
                                  target.filename().string() + ".tmp");
}

bool WriteFileReplacing(const std::string& targetUtf8, std::string_view content) {
    RemoveStaleCopies(targetUtf8);
    // Named after this process, so that a later writer can tell the copy of a killed one.
    std::string temp = targetUtf8 + ".tmp" + std::to_string(::getpid()) + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    struct stat old {};
    ::fchmod(fd, ::stat(targetUtf8.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    bool ok = true;
    for (size_t done = 0; ok && done < content.size();) {
        ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        ok = n > 0;
        if (ok) done += static_cast<size_t>(n);
    }
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(temp.c_str(), targetUtf8.c_str()) == 0;
    if (!ok) {
        const int why = errno;  // the caller's message names the failed step's error
        ::unlink(temp.c_str());
        errno = why;
        return false;
    }
    // Replaced, but not yet sure to survive a power cut: the caller hears of it as a failure.
    if (const int why = SyncDirectory(stdfs::path(targetUtf8).parent_path())) {
        errno = why;
        return false;
    }
    return true;
}

}  // namespace ckw::fs
