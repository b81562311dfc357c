#pragma once
// What both readers do to entities of the neutral drawing: the copies of an array insert, and
// entities given in their object coordinate system (an extrusion direction other than +Z) put
// into the drawing's coordinates.
#include <vector>

#include "Model.h"

namespace tdwg {

// More copies than this in one array insert are taken for a damaged count.
inline constexpr long kMaxArrayCopies = 100000;

// The copies of an array insert after the first (columns along its rotation, rows across), as
// continuations of it. Empty for a single insert; the first is rejected when the count is beyond
// kMaxArrayCopies.
std::vector<Entity> InsertArray(Entity& first, int columns, int rows, double columnSpacing, double rowSpacing);

// Puts an entity whose extrusion is not +Z into the drawing's coordinates (the arbitrary-axis
// rule): mirrored for -Z, projected onto the drawing's plane for tilted directions, where circles
// and arcs become polylines.
void ToWorld(Entity& e);
void ToWorld(Drawing& d);

// A text aligned (or fitted) between its first point and (x2, y2): it runs along that line from
// the first point, its characters as wide as share the distance; an aligned text keeps its
// proportions (its height follows), a fitted one its height.
void SpanText(Entity& e, double x2, double y2, bool keepHeight);

}  // namespace tdwg
