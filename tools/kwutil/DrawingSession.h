#pragma once
// Runs one of the library's interactive commands on a .T drawing and saves the drawing when the
// command is done. The user's part comes from a dialog script that mixes the windows' actions
// with the engine's answers (docs/dialog-scripts.md), or, without a script and with a display,
// from the person: the windows are real ones and the engine's answers (point X Y, esc, ...) are
// typed on the terminal while they stay open.
#include <functional>
#include <string>

#include "Command.h"

namespace kwutil {

// Exit status: 0 done and saved; 1 the drawing could not be opened or saved, or the script
// failed (the drawing is then not saved).
int RunOnDrawing(const std::string& drawing, const std::string& script, const std::function<void()>& run);

// The setup of such a command: the drawing and --script, and run on them.
Setup DrawingCommand(std::function<void()> run);

}  // namespace kwutil
