#pragma once
// What a person types on the command line, read as the answer to the call that waits:
// "100,200" a point, "@50,0" a point relative to the last one, a number for a value (or where a
// command takes a point or a number, as an angle picked or typed), a path for a
// file, an empty line ends the call as [Esc] does.
#include <optional>
#include <string_view>

#include <ckw/ReferenceEngine.h>

namespace kwdraw {

struct LastPoint {
    bool known = false;
    double x = 0, y = 0;
};

// Nothing when the text does not answer what the call waits for.
std::optional<ckw::engine::InputEvent> ParseAnswer(std::string_view utf8, ckw::engine::InputWant want,
                                                   const LastPoint& last);

}  // namespace kwdraw
