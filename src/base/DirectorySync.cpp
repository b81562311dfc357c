#include "base/DirectorySync.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace ckw::fs {

int SyncDirectory(const std::filesystem::path& directory) {
    const int fd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A folder that cannot be opened for reading (write and search permission only) cannot be synced
    // by this program; the rename itself has been done.
    if (fd < 0) return errno == EIO ? EIO : 0;
    int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    if (error == EINVAL || error == EROFS || error == EBADF || error == ENOTSUP) error = 0;
    return error;
}

}  // namespace ckw::fs
