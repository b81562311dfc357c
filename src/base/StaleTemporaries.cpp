#include "base/StaleTemporaries.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <string>

namespace ckw::fs {

namespace stdfs = std::filesystem;

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
