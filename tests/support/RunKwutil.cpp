#include "support/RunKwutil.h"

#include <sys/wait.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace ckw::test {

KwutilRun RunKwutil(const std::vector<std::string>& words, bool withErrors) {
#ifdef CKW_KWUTIL
    std::string command = CKW_KWUTIL;
    for (const std::string& word : words) {
        command += " '";
        for (char c : word) command += c == '\'' ? std::string("'\\''") : std::string(1, c);
        command += "'";
    }
    command += withErrors ? " 2>&1" : " 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) throw std::runtime_error("cannot run " + command);
    KwutilRun run;
    char buffer[256];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe.get())) run.out.append(buffer, n);
    const int code = pclose(pipe.release());
    run.status = WIFEXITED(code) ? WEXITSTATUS(code) : 128 + WTERMSIG(code);
    return run;
#else
    (void)words;
    (void)withErrors;
    throw std::runtime_error("kwutil is not built");
#endif
}

}  // namespace ckw::test
