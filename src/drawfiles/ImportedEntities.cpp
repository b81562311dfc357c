// Move_Dwg, Scale_Dwg, Rotate_Dwg, Erase_Dwg: the whole import as one.
#include "drawfiles/ImportedEntities.h"

#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

#include <ckw/DrawingFiles.h>
#include <ckw/HostEngine.h>
#include "drawfiles/FloorInsertion.h"

namespace ckw::drawfiles {

namespace {

constexpr int kBlockInsert = 10008;
constexpr int kLayerNameCapacity = 80;
enum EditCommand { kErase = 3, kRotate = 7, kScale = 8 };

bool IsTransformedKind(int kind) { return kind > 0 && (kind <= 10000 || kind == kBlockInsert); }

// Whether a layer number of the current drawing names an imported layer; asked once per layer.
class ImportedLayers {
public:
    bool Contains(int layer) {
        auto [it, added] = m_known.try_emplace(layer, false);
        if (added) {
            char name[kLayerNameCapacity + 1] = {};
            int length = 0;
            m_pCfg->HostGetLayerName(0, layer, name, kLayerNameCapacity, length);
            it->second = length >= 2 && name[0] == kImportedLayerPrefix[0] && name[1] == kImportedLayerPrefix[1];
        }
        return it->second;
    }

private:
    std::unordered_map<int, bool> m_known;
};

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

int SelectImportedEntities() {
    if (!m_pCfg) return 0;
    m_pCfg->HostClearSelection();
    int unit = 0;
    m_pCfg->HostGetCurrentDrawing(unit);
    ImportedLayers imported;
    std::set<std::pair<int, int>> selected;  // (kind, layer)
    int attributes[kHostAttributeCount] = {};
    std::vector<float> values(kHostRecordCapacity);
    std::vector<char> text(kHostRecordCapacity);
    for (int kind = 0;;) {
        m_pCfg->HostNextSelected(unit, kind);
        if (kind == 0) break;
        if (!IsTransformedKind(kind)) continue;
        int valueCount = 0, textLength = 0;
        m_pCfg->HostReadEntity(kind, attributes, values.data(), valueCount, text.data(), textLength,
                               kHostRecordCapacity);
        if (kind < 0) continue;
        const int layer = attributes[0];
        // Layer filters select by a layer's number; 0 and below would select every layer.
        if (layer <= 0 || selected.count({kind, layer}) || !imported.Contains(layer)) continue;
        selected.emplace(kind, layer);
        m_pCfg->HostSelectAllOfKind(layer, kind);
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
