#pragma once
// The window's edit commands on the selection (or on what the person selects when they start
// without one): erase, move, copy (repeated), rotate, scale, mirror, and offset of lines, arcs,
// circles and polylines. Each asks on the prompt line, takes typed coordinates and numbers, and
// shows its result following the cursor before the last point is given. They run inside
// MainWindow::RunCommand on the current drawing.
namespace kwdraw {

struct Picking;

namespace edits {

// Entities are picked as `picking` says.
void Erase(const Picking& picking);
void Move(const Picking& picking);
void Copy(const Picking& picking);
void Rotate(const Picking& picking);
void Scale(const Picking& picking);
// Adds the mirrored copies; the originals stay.
void Mirror(const Picking& picking);
void Offset(const Picking& picking);

}  // namespace edits

}  // namespace kwdraw
