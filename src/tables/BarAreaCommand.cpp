// exBarArea: the bar area reference window of the drawing programs' menus.
#include <utility>

#include "SheetCommands.h"
#include "tables/BarAreaWindow.h"

namespace ckw::tables {

namespace {
BarAreaViewer& Viewer() {
    static BarAreaViewer viewer;
    return viewer;
}
}  // namespace

void SetBarAreaViewer(BarAreaViewer viewer) { Viewer() = std::move(viewer); }

}  // namespace ckw::tables

extern "C" void exBarArea(int mode) {
    ckw::tables::BarAreaTable table(mode);
    if (ckw::tables::Viewer()) ckw::tables::Viewer()(table);
}
