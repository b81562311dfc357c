#pragma once
// Runs the command-line tool as a person would from a shell: its exit status and what it printed.
#include <string>
#include <vector>

namespace ckw::test {

struct KwutilRun {
    int status = -1;
    std::string out;  // standard output, and standard error after it when asked for
};

// The words are passed as they are (quoted for the shell).
KwutilRun RunKwutil(const std::vector<std::string>& words, bool withErrors = true);

}  // namespace ckw::test
