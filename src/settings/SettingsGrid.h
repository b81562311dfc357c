#pragma once
// How the settings dialogs draw their grids: one line colour, captions in row 0, and one look for
// the cells a person sees but cannot change.
#include <initializer_list>

#include "dialog/DialogGrid.h"

namespace ckw::settings {

inline constexpr long kGridLineColour = 0xA8A8A8;
inline constexpr long kLockedCellColour = 0xC0C0C0;

// The grid's line colour and the column captions of row 0, from column 0 on.
inline void SetGridHeader(ckw::dlg::GridModel& grid, std::initializer_list<const char*> captions) {
    grid.GridSetLineColor(kGridLineColour);
    short col = 0;
    for (const char* caption : captions) grid.GridSetCellText(0, col++, caption);
}

// A cell shown greyed that the user cannot type into.
inline void LockCell(ckw::dlg::GridModel& grid, short row, short col) {
    grid.GridSetCellReadOnly(row, col, true);
    grid.GridSetCellBackColor(row, col, kLockedCellColour);
}

}  // namespace ckw::settings
