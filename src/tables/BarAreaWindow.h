#pragma once
// The hook through which exBarArea shows its window. The dialog module registers the viewer;
// without one (a batch run) the table is built and nothing is shown.
#include <functional>

#include "tables/BarAreaTable.h"

namespace ckw::tables {

using BarAreaViewer = std::function<void(const BarAreaTable& table)>;
// nullptr: no window.
void SetBarAreaViewer(BarAreaViewer viewer);

}  // namespace ckw::tables
