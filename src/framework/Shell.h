#pragma once
// Starting other programs without waiting for them: a file opened with the desktop's
// associated program (the "open" verb of the original shell), and a text file shown in the
// user's editor. Paths at this interface are GBK.
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

}  // namespace ckw::shell
