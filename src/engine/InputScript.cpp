// The input script: one user action per line, so that interactive commands run unattended.
#include <charconv>
#include <sstream>

#include <ckw/ReferenceEngine.h>
#include "base/GbkText.h"

namespace ckw::engine {

namespace {

bool Numbers(std::istringstream& in, double* out, int count) {
    for (int i = 0; i < count; ++i) {
        std::string word;
        if (!(in >> word)) return false;
        auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), out[i]);
        if (ec != std::errc() || end != word.data() + word.size()) return false;
    }
    std::string extra;
    return !(in >> extra);
}

}  // namespace

bool ParseInputScript(std::string_view utf8, std::vector<InputEvent>& events, std::string& error) {
    using Type = InputEvent::Type;
    std::vector<InputEvent> parsed;
    size_t lineNumber = 0;
    size_t start = 0;
    while (start <= utf8.size()) {
        size_t end = utf8.find('\n', start);
        if (end == std::string_view::npos) end = utf8.size();
        std::string line(utf8.substr(start, end - start));
        start = end + 1;
        ++lineNumber;
        if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream in(line);
        std::string word;
        if (!(in >> word)) {
            if (end == utf8.size()) break;
            continue;
        }
        InputEvent event;
        double v[4] = {};
        bool ok = true;
        if (word == "point" || word == "move") {
            event.type = word == "point" ? Type::Point : Type::Move;
            ok = Numbers(in, v, 2);
            event.x = v[0];
            event.y = v[1];
        } else if (word == "window") {
            event.type = Type::Window;
            ok = Numbers(in, v, 4);
            event.x = v[0], event.y = v[1], event.x2 = v[2], event.y2 = v[3];
        } else if (word == "value") {
            event.type = Type::Value;
            ok = Numbers(in, v, 1);
            event.value = v[0];
        } else if (word == "file") {
            event.type = Type::File;
            std::string rest;
            std::getline(in, rest);
            event.text = ckw::text::Utf8ToGbk(ckw::text::Trim(rest));
            ok = !event.text.empty();
        } else if (word == "esc" || word == "tab" || word == "break") {
            event.type = word == "esc" ? Type::Esc : word == "tab" ? Type::Tab : Type::Break;
            std::string extra;
            ok = !(in >> extra);
        } else {
            ok = false;
        }
        if (!ok) {
            error = "input script line " + std::to_string(lineNumber) + ": cannot read \"" + line + "\"";
            return false;
        }
        parsed.push_back(std::move(event));
        if (end == utf8.size()) break;
    }
    events = std::move(parsed);
    return true;
}

}  // namespace ckw::engine
