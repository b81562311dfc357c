#pragma once
// Starting other programs: without waiting for them (a file opened with the desktop's
// associated program, the "open" verb of the original shell; a text file shown in the user's
// editor), or waiting for one to end with its exit status (a converter). Paths at this
// interface are GBK.
#include <chrono>
#include <string>
#include <vector>

namespace ckw::shell {

// Starts a program detached from the caller (its own session, no wait). argv[0] is looked up
// in PATH. false: it could not be started.
class Launcher {
public:
    virtual ~Launcher() = default;
    virtual bool Start(const std::vector<std::string>& argvUtf8) = 0;
};

Launcher& CurrentLauncher();
// nullptr restores the default (fork and exec). The caller keeps ownership.
void SetLauncher(Launcher* launcher);

// Opens the file with the desktop's associated program (xdg-open).
bool OpenWithAssociatedProgram(const std::string& pathGbk);

// Shows a text file in the user's editor: $VISUAL; else $EDITOR, in a terminal window when there
// is a display and a terminal emulator; else the associated program. The command lines come
// from the environment; the path is handed over as one argument, never through a shell's word
// splitting.
bool OpenInTextEditor(const std::string& pathGbk);

// How a program run to its end went.
struct RunResult {
    bool started = false;   // false: it could not be started (not there, not executable)
    bool timedOut = false;  // it ran past its time limit and was killed
    int exitStatus = -1;    // its exit status; 128 + the signal when a signal ended it
    std::string errors;     // what it wrote on stderr (UTF-8, at most 64 KiB kept)
    std::string output;     // what it wrote on stdout, when that was captured
    bool Succeeded() const { return started && !timedOut && exitStatus == 0; }
};

// Runs a program and waits for it to end. The arguments reach it one by one, as given: no shell
// splits or interprets them, so blanks and quotes in a path are safe. argv[0] is a path or is
// looked up in PATH. Its standard input is /dev/null, its standard output goes to the caller's
// standard error, so that a command's own output stays clean.
RunResult RunAndWait(const std::vector<std::string>& argvUtf8);

// The same, for a program whose output is its result: its standard output is kept whole in
// `output`, of its standard error the last 64 KiB (where a failing program says why), and it
// is killed when it runs longer than `limit`.
RunResult RunAndCapture(const std::vector<std::string>& argvUtf8, std::chrono::milliseconds limit);

}  // namespace ckw::shell
