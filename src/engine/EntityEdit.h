#pragma once
// The geometry of the window's edit commands: the transforms of move, rotate, scale and mirror,
// an entity placed through one, the parallel copy an offset makes, and the outline a selected
// entity is highlighted and previewed with. Exported for kwdraw only (as the display model is).
#include <optional>
#include <vector>

#include <ckw/CkwExport.h>
#include <ckw/EngineDrawing.h>
#include "Shapes.h"

namespace ckw::engine::edit {

CKW_API Transform Move(double dx, double dy);
CKW_API Transform Rotate(double x, double y, double degrees);
CKW_API Transform Scale(double x, double y, double factor);
// Mirrored about the line through the two points (identity when they coincide).
CKW_API Transform Mirror(double x1, double y1, double x2, double y2);

// Places an entity through t: points move, sizes scale, angles turn, a block insertion moves
// whole; its extended data stays. A mirrored text still reads forwards: it takes the mirrored
// place of its box.
CKW_API void Place(Entity& entity, const Transform& t);

// True for the kinds an offset makes a parallel copy of: lines, arcs, circles and polylines.
CKW_API bool CanOffset(const Entity& entity);
// The parallel copy `distance` away on the side of (sideX, sideY); nothing when there is none (a
// circle or arc that would shrink to nothing, a line without length, another kind).
CKW_API std::optional<Entity> Offset(const Entity& entity, double distance, double sideX, double sideY);

// The lines that outline an entity of the drawing (a block insertion: its box).
CKW_API std::vector<std::vector<Point2>> Outline(const Drawing& drawing, const Entity& entity);

}  // namespace ckw::engine::edit
