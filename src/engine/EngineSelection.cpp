// The selection a person makes in a window: picks and boxes found through the hit-test index, so
// that a drawing of a hundred thousand entities answers at once.
#include <algorithm>
#include <utility>

#include "RefState.h"

namespace ckw::engine {

namespace {

bool OnHiddenLayer(const Entity& e, const std::vector<int>& hidden) {
    return std::find(hidden.begin(), hidden.end(), e.Layer()) != hidden.end();
}

}  // namespace

size_t ReferenceEngine::State::SelectBox(Unit& unit, double x1, double y1, double x2, double y2, bool crossing,
                                         int filter, bool remove, const std::vector<int>& hidden) {
    const Drawing& d = unit.drawing;
    const EntityIndex& index = Index(unit);
    const double xmin = std::min(x1, x2), xmax = std::max(x1, x2), ymin = std::min(y1, y2), ymax = std::max(y1, y2);
    std::vector<size_t> met;
    for (size_t i : index.InBox(xmin, ymin, xmax, ymax)) {
        const Entity& e = d.Entities()[i];
        if (e.deleted || !IsDrawnKind(e.kind) || !Passes(e, filter) || OnHiddenLayer(e, hidden)) continue;
        const auto& box = index.Box(i);
        const bool inside = box[0] >= xmin && box[2] <= xmax && box[1] >= ymin && box[3] <= ymax;
        if (inside || (crossing && CrossesBox(e, d.Blocks(), xmin, ymin, xmax, ymax))) met.push_back(i);
    }
    if (remove)
        Unselect(met);
    else
        for (size_t i : met) Select(i);
    return met.size();
}

std::vector<size_t> ReferenceEngine::SelectedEntities() {
    std::vector<size_t> live;
    Unit* unit = m->Get(0);
    if (!unit || m->selectionUnit != m->current) return live;
    const auto& entities = unit->drawing.Entities();
    for (size_t index : m->selection)
        if (index < entities.size() && !entities[index].deleted) live.push_back(index);
    return live;
}

std::optional<size_t> ReferenceEngine::NearestEntity(double x, double y, double within,
                                                     const std::vector<int>& hidden) {
    Unit* unit = m->Get(0);
    if (!unit) return std::nullopt;
    auto shown = [](const Entity& e, const void* layers) {
        return !OnHiddenLayer(e, *static_cast<const std::vector<int>*>(layers));
    };
    size_t hit = 0;
    if (!m->Index(*unit).Nearest(unit->drawing, x, y, within, hit, shown, &hidden)) return std::nullopt;
    return hit;
}

bool ReferenceEngine::SelectNearest(double x, double y, double within, bool remove, const std::vector<int>& hidden) {
    const auto hit = NearestEntity(x, y, within, hidden);
    if (!hit) return false;
    if (remove)
        m->Unselect({*hit});
    else
        m->Select(*hit);
    return true;
}

size_t ReferenceEngine::SelectInBox(double x1, double y1, double x2, double y2, bool crossing, bool remove,
                                    const std::vector<int>& hidden) {
    Unit* unit = m->Get(0);
    return unit ? m->SelectBox(*unit, x1, y1, x2, y2, crossing, 0, remove, hidden) : 0;
}

void ReferenceEngine::SetSelection(const std::vector<size_t>& indexes) {
    m->ClearSelection();
    Unit* unit = m->Get(0);
    if (!unit) return;
    const auto& entities = unit->drawing.Entities();
    for (size_t index : indexes)
        if (index < entities.size() && !entities[index].deleted) m->Select(index);
}

uint64_t ReferenceEngine::SelectionRevision() const { return m->selectionRevision; }

InputEvent ReferenceEngine::AskInput(InputWant want) { return m->NextInput(want); }

}  // namespace ckw::engine
