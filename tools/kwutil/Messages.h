#pragma once
// What kwutil's commands say on stderr: every line starts "kwutil CMD: ", CMD the command that runs.
#include <ostream>
#include <string>

namespace kwutil {

// The command the lines are said for (set once it is known which one runs).
void SetRunningCommand(std::string name);
// stderr, the line's prefix written; the caller ends the line.
std::ostream& Say();

}  // namespace kwutil
