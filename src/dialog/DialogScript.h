#pragma once
// A dialog script: the user's part in a dialog session, one action per line (UTF-8 text; the
// format is described in docs/dialog-scripts.md). Parsed whole before anything runs, so that a
// mistyped line is reported before the first dialog opens.
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ckw::dlg {

class Dialog;

class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ScriptStep {
    int line = 0;                   // 0 for steps added from C++
    std::string verb;               // "click", "cell", "answer", ...
    std::vector<std::string> args;  // GBK
    // A check or action added from C++ (verb "call"); runs on the dialog in front.
    std::function<void(Dialog&)> call;

    std::string Where() const;  // "line 7" or "step added from C++"
    // An answer to the drawing engine's interactive call (point, move, esc, tab, value, file,
    // break, window) rather than an action in a window. A file line answers a file dialog of the
    // window in front when one is open, the engine otherwise.
    bool IsEngineAnswer() const;
    // The answer as a line of the engine's input script (UTF-8), e.g. "point 10 20".
    std::string EngineText() const;
};

class DialogScript {
public:
    DialogScript() = default;
    // Throws ScriptError naming the line on a syntax error.
    static DialogScript Parse(std::string_view utf8Text);
    static DialogScript Load(const std::string& pathUtf8);

    // Appends steps; a C++ step for tests.
    DialogScript& Add(std::string_view utf8Lines);
    DialogScript& Call(std::function<void(Dialog&)> call);

    bool Empty() const { return m_steps.empty(); }
    const ScriptStep& Front() const { return m_steps.front(); }
    ScriptStep Take();
    size_t Size() const { return m_steps.size(); }

private:
    std::deque<ScriptStep> m_steps;
};

// Splits one line into words: blanks separate, "double quotes" keep blanks, \" and \\ inside
// quotes; '#' followed by a blank (or ending the line) outside quotes starts a comment, so that
// "#C0C0C0" stays a word. Throws ScriptError on an open quote.
std::vector<std::string> SplitScriptLine(std::string_view line);

}  // namespace ckw::dlg
