#pragma once
// The window's edit commands on the selection (or on what the person selects when they start
// without one): erase, move, copy (repeated), rotate, scale, mirror, and offset of lines, arcs,
// circles and polylines. Each asks on the prompt line, takes typed coordinates and numbers, and
// shows its result following the cursor before the last point is given. They run inside
// MainWindow::RunCommand on the current drawing.
namespace kwdraw::edits {

// Every point asked takes the nearest entity within `aperture` drawing units when it picks one.
void Erase(double aperture);
void Move(double aperture);
void Copy(double aperture);
void Rotate(double aperture);
void Scale(double aperture);
// Adds the mirrored copies; the originals stay.
void Mirror(double aperture);
void Offset(double aperture);

}  // namespace kwdraw::edits
