#pragma once
// Progress of long drawing operations, shown on stderr only when it is a terminal.
#include <unistd.h>

#include <cstdio>
#include <string>

#include <ckw/ReferenceEngine.h>

namespace kwutil {

inline ckw::engine::Progress TerminalProgress(std::string what) {
    if (!::isatty(STDERR_FILENO)) return {};
    return [what = std::move(what)](size_t done, size_t total) {
        int percent = total ? static_cast<int>(done * 100 / total) : 100;
        std::fprintf(stderr, "\r%s %zu/%zu (%d%%)%s", what.c_str(), done, total, percent, done >= total ? "\n" : "");
        std::fflush(stderr);
    };
}

}  // namespace kwutil
