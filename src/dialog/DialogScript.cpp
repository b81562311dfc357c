#include "dialog/DialogScript.h"

#include <fstream>
#include <map>
#include <sstream>

#include "base/GbkText.h"

namespace ckw::dlg {

namespace {

struct Arity {
    size_t min;
    size_t max;
};

// Every verb with the number of words it takes.
const std::map<std::string, Arity, std::less<>>& Verbs() {
    static const std::map<std::string, Arity, std::less<>> verbs = {
        {"dialog", {1, 1}},
        {"click", {1, 1}},
        {"ok", {0, 0}},
        {"cancel", {0, 0}},
        {"close", {0, 0}},
        {"grid", {1, 1}},
        {"select", {2, 2}},
        {"rightclick", {2, 2}},
        {"cell", {3, 3}},
        {"check", {3, 3}},
        {"colour", {3, 3}},
        {"color", {3, 3}},
        {"choose", {3, 3}},
        {"browse", {2, 2}},
        {"tab", {2, 2}},
        {"radio", {1, 1}},
        {"checkbox", {2, 2}},
        {"edit", {2, 2}},
        {"combo", {2, 2}},
        {"resize", {2, 2}},
        {"menu", {1, 1}},
        {"answer", {1, 2}},
        {"file", {0, 1}},
        {"expect", {2, 4}},
        // Answers to the engine while a modeless window is open ("tab" alone is the key).
        {"point", {2, 2}},
        {"move", {2, 2}},
        {"esc", {0, 0}},
        {"value", {1, 1}},
        {"break", {0, 0}},
        {"window", {4, 4}},
    };
    return verbs;
}

bool IsEngineVerb(std::string_view verb, size_t argCount) {
    static const std::string_view kEngineVerbs[] = {"point", "move", "esc", "value", "break", "window", "file"};
    if (verb == "tab") return argCount == 0;
    for (std::string_view engine : kEngineVerbs)
        if (verb == engine) return true;
    return false;
}

}  // namespace

std::string ScriptStep::Where() const { return line > 0 ? "line " + std::to_string(line) : "step added from C++"; }

bool ScriptStep::IsEngineAnswer() const { return IsEngineVerb(verb, args.size()); }

std::string ScriptStep::EngineText() const {
    std::string text = verb;
    for (const std::string& arg : args) text += " " + ckw::text::GbkToUtf8(arg);
    return text;
}

std::vector<std::string> SplitScriptLine(std::string_view line) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        // A comment: '#' followed by a blank or the end of the line ("#RRGGBB" is a word).
        if (c == '#' && (i + 1 == line.size() || line[i + 1] == ' ' || line[i + 1] == '\t')) break;
        std::string word;
        if (c == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                char q = line[i++];
                if (q == '"') {
                    closed = true;
                    break;
                }
                if (q == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\')) q = line[i++];
                word += q;
            }
            if (!closed) throw ScriptError("a quoted text is not closed");
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') word += line[i++];
        }
        words.push_back(std::move(word));
    }
    return words;
}

DialogScript DialogScript::Parse(std::string_view utf8Text) {
    DialogScript script;
    script.Add(utf8Text);
    return script;
}

DialogScript DialogScript::Load(const std::string& pathUtf8) {
    std::ifstream in(pathUtf8, std::ios::binary);
    if (!in) throw ScriptError("cannot read the dialog script " + pathUtf8);
    std::ostringstream text;
    text << in.rdbuf();
    return Parse(text.str());
}

DialogScript& DialogScript::Add(std::string_view utf8Lines) {
    int lineNumber = 0;
    for (const ScriptStep& step : m_steps) lineNumber = std::max(lineNumber, step.line);
    size_t start = 0;
    while (start < utf8Lines.size()) {
        size_t end = utf8Lines.find('\n', start);
        if (end == std::string_view::npos) end = utf8Lines.size();
        std::string_view line = utf8Lines.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        std::vector<std::string> words;
        try {
            words = SplitScriptLine(line);
        } catch (const ScriptError& e) {
            throw ScriptError("line " + std::to_string(lineNumber) + ": " + e.what());
        }
        if (words.empty()) continue;
        auto verb = Verbs().find(words.front());
        if (verb == Verbs().end())
            throw ScriptError("line " + std::to_string(lineNumber) + ": unknown action '" + words.front() + "'");
        size_t count = words.size() - 1;
        const bool tabKey = verb->first == "tab" && count == 0;
        if ((!tabKey && count < verb->second.min) || count > verb->second.max)
            throw ScriptError("line " + std::to_string(lineNumber) + ": '" + words.front() + "' takes " +
                              std::to_string(verb->second.min) +
                              (verb->second.max != verb->second.min ? " to " + std::to_string(verb->second.max) : "") +
                              " words, not " + std::to_string(count));
        ScriptStep step;
        step.line = lineNumber;
        step.verb = verb->first == "color" ? "colour" : verb->first;
        for (size_t w = 1; w < words.size(); ++w) step.args.push_back(ckw::text::Utf8ToGbk(words[w]));
        m_steps.push_back(std::move(step));
    }
    return *this;
}

DialogScript& DialogScript::Call(std::function<void(Dialog&)> call) {
    ScriptStep step;
    step.verb = "call";
    step.call = std::move(call);
    m_steps.push_back(std::move(step));
    return *this;
}

ScriptStep DialogScript::Take() {
    ScriptStep step = std::move(m_steps.front());
    m_steps.pop_front();
    return step;
}

}  // namespace ckw::dlg
