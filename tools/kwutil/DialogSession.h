#pragma once
// How kwutil shows a dialog: under a dialog script when one is given, otherwise in a window where
// a display is available (without one a dialog ends as Cancel).
#include <functional>
#include <string>

namespace kwutil {

inline constexpr int kScriptFailed = -1;

// Runs show (which opens the dialog and returns its result) and returns that result, or
// kScriptFailed when the script stopped on an error or was not used up (its report printed).
int RunDialogSession(const std::string& scriptPath, const std::function<int()>& show);

}  // namespace kwutil
