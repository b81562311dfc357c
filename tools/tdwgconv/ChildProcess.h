#pragma once
// Runs a program with a time limit and collects what it prints.
#include <chrono>
#include <string>
#include <vector>

namespace tdwg {

struct ChildResult {
    bool started = false;
    bool timedOut = false;
    int exitStatus = -1;  // -1 when it did not exit normally (signal, time limit)
    std::string out, err;
};

// argv[0] is looked up in PATH. The child is killed when it runs past the limit.
ChildResult RunChild(const std::vector<std::string>& argv, std::chrono::milliseconds limit);

}  // namespace tdwg
