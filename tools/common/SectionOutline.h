#pragma once
// Steel section outlines drawn through the host engine: the corner points come from CUtil
// (HSHAPE, CSHAPE, ...), each ring is drawn as a closed polyline with the current pen. Shared by
// `kwutil section` and the drawing window's section command.
#include <string>
#include <utility>
#include <vector>

namespace kwutil {

inline constexpr int kSectionDimensions = 6;

// "A", "C", "H", "O", "T", "T4", "X".
std::vector<std::string> SectionShapes();
// What each of the shape's dimensions d0..d5 is (empty for an unknown shape; "(unused)" for one
// the shape does not read).
std::vector<std::string> SectionDimensionNames(const std::string& shape);
// The closed rings of the outline, each as its corner points; false for an unknown shape.
using SectionRing = std::vector<std::pair<float, float>>;
bool SectionRings(const std::string& shape, const float (&dims)[kSectionDimensions], float x, float y, float angle,
                  std::vector<SectionRing>& rings);
// Draws the outline of `shape` centred at (x, y), turned by angle radians; false for an unknown shape.
bool DrawSectionOutline(const std::string& shape, const float (&dims)[kSectionDimensions], float x, float y,
                        float angle);

}  // namespace kwutil
