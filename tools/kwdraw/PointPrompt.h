#pragma once
// Asking the person for a point while a command runs: the prompt stands on the prompt line and a
// rubber band (a line or a box from a base point, or what the command places) follows the cursor
// until the pick. The prompt line is cleared when the answer comes, whatever it is.
#include <functional>

namespace kwdraw {

// Draws the band for the cursor at (x, y) through the engine; drawn twice in the same place it is
// erased (the engine's rubber-band mode).
using Band = std::function<void(float x, float y)>;

Band LineFrom(float x, float y);
Band BoxFrom(float x, float y);

// What the person answered a point prompt with: a point, [TAB] (a command's other choice), or
// [Esc] / [Enter] / an interruption (the end).
enum class Asked { Point, Tab, End };
Asked AskPointOrTab(const char* promptGbk, float& x, float& y, const Band& band = {});

// False on [Esc], [TAB] or an interruption.
inline bool AskPoint(const char* promptGbk, float& x, float& y, const Band& band = {}) {
    return AskPointOrTab(promptGbk, x, y, band) == Asked::Point;
}

}  // namespace kwdraw
