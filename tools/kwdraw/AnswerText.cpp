#include "AnswerText.h"

#include <charconv>
#include <cmath>
#include <string>

#include "base/GbkText.h"

namespace kwdraw {

namespace {

using ckw::engine::InputEvent;
using ckw::engine::InputWant;

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

std::optional<double> Number(std::string_view s) {
    s = Trim(s);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    double v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

}  // namespace

std::optional<InputEvent> ParseAnswer(std::string_view utf8, InputWant want, const LastPoint& last) {
    std::string_view text = Trim(utf8);
    InputEvent event;
    if (text.empty()) {
        event.type = InputEvent::Type::Esc;
        return event;
    }
    if (want == InputWant::File) {
        event.type = InputEvent::Type::File;
        event.text = ckw::text::Utf8ToGbk(text);
        return event;
    }
    if (want == InputWant::Value || (want == InputWant::TrackOrValue && text.find(',') == std::string_view::npos)) {
        auto v = Number(text);
        if (!v) return std::nullopt;
        event.type = InputEvent::Type::Value;
        event.value = *v;
        return event;
    }
    const bool relative = text.front() == '@';
    if (relative) text.remove_prefix(1);
    size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    auto x = Number(text.substr(0, comma)), y = Number(text.substr(comma + 1));
    if (!x || !y) return std::nullopt;
    event.type = InputEvent::Type::Point;
    event.x = *x + (relative && last.known ? last.x : 0);
    event.y = *y + (relative && last.known ? last.y : 0);
    return event;
}

}  // namespace kwdraw
