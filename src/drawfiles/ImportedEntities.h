#pragma once
// The entities an import left in the current drawing (those on layers named "$_..."), selected
// and moved, scaled, rotated or erased as one. Each transform asks the user for what it needs
// through the host's edit commands.
namespace ckw::drawfiles {

// Replaces the selection by the imported entities of the current drawing (kinds 1 to 10000 and
// block insertions); returns how many are selected. One selection call per imported layer of the
// layer table: the user's own entities of the same kinds stay out.
int SelectImportedEntities();

// Each returns the number of imported entities it worked on (0: none, nothing done).
int MoveImported();
int ScaleImported();
int RotateImported();
int EraseImported();

}  // namespace ckw::drawfiles
