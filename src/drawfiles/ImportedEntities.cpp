// Move_Dwg, Scale_Dwg, Rotate_Dwg, Erase_Dwg: the whole import as one.
#include "drawfiles/ImportedEntities.h"

#include <ckw/DrawingFiles.h>
#include <ckw/HostEngine.h>
#include "drawfiles/FloorInsertion.h"

namespace ckw::drawfiles {

namespace {

enum EditCommand { kErase = 3, kRotate = 7, kScale = 8 };

int SelectionCount() {
    int count = 0;
    m_pCfg->HostGetSelectionCount(count);
    return count;
}

void ClearRemainingSelection() {
    if (SelectionCount() > 0) m_pCfg->HostClearSelection();
}

int RunEdit(EditCommand command) {
    if (!m_pCfg) return 0;
    const int count = SelectImportedEntities();
    if (count < 1) return 0;
    m_pCfg->HostRunEditCommand(command);
    ClearRemainingSelection();
    return count;
}

}  // namespace

// One pass over the drawing per imported layer, whatever the number of entities that match:
// kind 0 takes every drawn entity of the layer and leaves the table entries out.
int SelectImportedEntities() {
    if (!m_pCfg) return 0;
    m_pCfg->HostClearSelection();
    constexpr int kCurrentDrawing = 0, kAnyDrawnKind = 0;
    for (const auto& [number, name] : LayerTable(kCurrentDrawing, false)) {
        // Layer filters select by a layer's number; 0 and below would select every layer.
        if (number > 0 && IsImportedLayerName(name)) m_pCfg->HostSelectAllOfKind(number, kAnyDrawnKind);
    }
    return SelectionCount();
}

int MoveImported() {
    if (!m_pCfg) return 0;
    const int count = SelectImportedEntities();
    if (count < 1) return 0;
    float dx = 0, dy = 0;
    m_pCfg->HostMoveSelection(dx, dy, 0);
    ClearRemainingSelection();
    m_pCfg->HostRegen();
    m_pCfg->HostRedraw();
    return count;
}

int ScaleImported() { return RunEdit(kScale); }
int RotateImported() { return RunEdit(kRotate); }
int EraseImported() { return RunEdit(kErase); }

}  // namespace ckw::drawfiles

void Move_Dwg() { ckw::drawfiles::MoveImported(); }
void Scale_Dwg() { ckw::drawfiles::ScaleImported(); }
void Rotate_Dwg() { ckw::drawfiles::RotateImported(); }
void Erase_Dwg() { ckw::drawfiles::EraseImported(); }
