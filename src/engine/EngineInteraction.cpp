// Prompt line, cursor input from the script, selection and the edit commands of the reference engine.
#include <algorithm>
#include <cmath>
#include <iostream>
#include <utility>

#include "RefState.h"
#include "base/GbkText.h"

namespace ckw::engine {

namespace {

using Type = InputEvent::Type;

}  // namespace

// --- Prompt and cursor -------------------------------------------------------------------------

void ReferenceEngine::HostPrompt(const char* text, const int& length) {
    if (!text || length <= 0) {
        m->Message("");
        return;
    }
    std::string_view line(text, static_cast<size_t>(length));
    m->Message(std::string(line.substr(0, line.find('\0'))));
}

void ReferenceEngine::HostClearPrompt() { m->prompt.clear(); }

int ReferenceEngine::HostUserBreak() {
    if (!m->input.empty()) {
        if (m->input.front().type != Type::Break) return 0;
        m->input.pop_front();
        return 1;
    }
    return m->source && m->source->UserBreak() ? 1 : 0;
}

void ReferenceEngine::HostTrackCursor(float& x, float& y, int& key) {
    InputEvent event = m->NextInput(InputWant::Track);
    switch (event.type) {
    case Type::Point:
    case Type::Move:
        m->ToUser(event.x, event.y, x, y);
        key = event.type == Type::Point ? 0 : 3;
        break;
    case Type::Tab:
        key = 2;
        break;
    default:
        key = 1;
        break;
    }
}

void ReferenceEngine::HostGetCursorPoint(float& x, float& y, int& status) {
    InputEvent event = m->NextInput(InputWant::Point);
    if (event.type == Type::Point) {
        m->ToUser(event.x, event.y, x, y);
        status = 0;
    } else {
        status = event.type == Type::Tab ? 2 : 1;
    }
}

void ReferenceEngine::HostSetRubberBand(const int& on) {
    m->rubberBand = on != 0;
    if (!m->rubberBand) {
        m->tempShapes.clear();
        m->tempColour = 0;
    }
}

void ReferenceEngine::HostSetSnapGroup(const int& group) { m->snapGroup = group; }

void ReferenceEngine::HostSetCursorMode(const int& mode, const int& shape) {
    m->cursorMode = mode;
    m->cursorShape = shape;
}

void ReferenceEngine::HostPickPoint(float* record, int& status) {
    InputEvent event = m->NextInput(InputWant::Point);
    if (event.type != Type::Point) {
        status = 1;
        return;
    }
    status = 0;
    if (!record) return;
    float ux, uy;
    m->ToUser(event.x, event.y, ux, uy);
    float values[kHostPickRecordSize] = {float(event.x), float(event.y), 0, ux, uy, 0};
    std::copy(values, values + kHostPickRecordSize, record);
}

void ReferenceEngine::HostFileDialog(const char* pattern, const int&, char* path, const int& pathCapacity,
                                     int& length) {
    (void)pattern;
    InputEvent event = m->NextInput(InputWant::File);
    length = 0;
    if (event.type != Type::File || !path || pathCapacity <= 0) return;
    if (event.text.size() >= static_cast<size_t>(pathCapacity)) {
        m->Message("HostFileDialog: the chosen path does not fit");
        return;
    }
    ckw::text::CopyToBuffer(event.text, path, static_cast<size_t>(pathCapacity));
    length = static_cast<int>(event.text.size());
}

// --- Selection ---------------------------------------------------------------------------------

void ReferenceEngine::HostSelectEntities(const int& filter) {
    InputEvent event = m->NextInput(InputWant::Selection);
    Unit& unit = m->Cur();
    if (event.type == Type::Point) {
        if (auto hit = m->Nearest(unit, event.x, event.y, m->aperture, filter)) m->Select(*hit);
    } else if (event.type == Type::Window || event.type == Type::Crossing) {
        m->SelectBox(unit, event.x, event.y, event.x2, event.y2, event.type == Type::Crossing, filter, false);
    }
}

namespace {

const std::vector<uint32_t>& LayerMembers(Unit& unit, int layer) {
    if (unit.layerMembersRevision != unit.drawing.Revision()) {
        unit.layerMembers.clear();
        const auto& entities = unit.drawing.Entities();
        for (size_t i = 0; i < entities.size(); ++i)
            unit.layerMembers[entities[i].Layer()].push_back(static_cast<uint32_t>(i));
        unit.layerMembersRevision = unit.drawing.Revision();
    }
    static const std::vector<uint32_t> none;
    auto it = unit.layerMembers.find(layer);
    return it == unit.layerMembers.end() ? none : it->second;
}

}  // namespace

void ReferenceEngine::HostSelectAllOfKind(const int& filter, const int& kind) {
    Unit& unit = m->Cur();
    const auto& entities = unit.drawing.Entities();
    if (m->selectionUnit != m->current) {
        m->ClearSelection();
        m->selectionUnit = m->current;
    }
    m->selected.resize(std::max(m->selected.size(), entities.size()), 0);
    auto consider = [&](size_t i) {
        const Entity& e = entities[i];
        if (e.deleted) return;
        if (kind == 0 ? !IsDrawnKind(e.kind) : e.kind != kind) return;
        m->Select(i);
    };
    if (filter > 0) {
        for (uint32_t i : LayerMembers(unit, filter)) consider(i);
    } else {
        for (size_t i = 0; i < entities.size(); ++i) consider(i);
    }
}

void ReferenceEngine::HostGetSelectionCount(int& count) {
    count = 0;
    Unit* unit = m->Get(m->selectionUnit);
    if (!unit || m->selectionUnit == 0) return;
    for (size_t index : m->selection)
        if (!unit->drawing.Entities()[index].deleted) ++count;
}

void ReferenceEngine::HostClearSelection() { m->ClearSelection(); }

void ReferenceEngine::HostNextSelected(const int& scope, int& kind) {
    kind = 0;
    if (scope == 0) {
        Unit* unit = m->selectionUnit ? m->Get(m->selectionUnit) : nullptr;
        if (!unit || m->selectionWalk >= m->selection.size()) {
            m->selectionWalk = 0;
            return;
        }
        size_t index = m->selection[m->selectionWalk++];
        const Entity& e = unit->drawing.Entities()[index];
        m->SetCurrent(m->selectionUnit, index);
        kind = e.deleted ? -std::abs(e.kind) : e.kind;
        return;
    }
    Unit* unit = m->Get(scope);
    if (!unit) return;
    const auto& entities = unit->drawing.Entities();
    if (unit->walk >= entities.size()) {
        unit->walk = 0;
        return;
    }
    size_t index = unit->walk++;
    m->SetCurrent(scope, index);
    kind = entities[index].deleted ? -std::abs(entities[index].kind) : entities[index].kind;
}

void ReferenceEngine::HostPickEntity(float& x, float& y, int& kind, int& status) {
    InputEvent event = m->NextInput(InputWant::Entity);
    kind = 0;
    if (event.type != Type::Point) {
        status = event.type == Type::Esc || event.type == Type::Break ? 1 : 2;
        return;
    }
    status = 0;
    m->ToUser(event.x, event.y, x, y);
    Unit& unit = m->Cur();
    if (auto hit = m->Nearest(unit, event.x, event.y, m->aperture, 0)) {
        m->SetCurrent(m->current, *hit);
        kind = unit.drawing.Entities()[*hit].kind;
    }
}

void ReferenceEngine::HostFindEntityAt(int& found, const float& x, const float& y, const float& tolerance, int& kind) {
    double wx = x, wy = y;
    m->ucs.Apply(x, y, wx, wy);
    Unit& unit = m->Cur();
    found = 0;
    kind = 0;
    if (auto hit = m->Nearest(unit, wx, wy, std::max(0.0, double(tolerance) * m->ucs.Scale()), 0)) {
        m->SetCurrent(m->current, *hit);
        kind = unit.drawing.Entities()[*hit].kind;
        found = 1;
    }
}

// --- Edit commands on the selection ------------------------------------------------------------

void ReferenceEngine::HostRunEditCommand(const int& command) {
    Drawing* d = m->Writable();
    if (!d || m->selectionUnit != m->current) return;
    std::optional<Transform> change;
    if (command == 8 || command == 7) {
        InputEvent base = m->NextInput(InputWant::Point);
        if (base.type != Type::Point) return;
        InputEvent amount = m->NextInput(InputWant::Value);
        if (amount.type != Type::Value) return;
        if (command == 8 && !(amount.value > 0)) return;
        change = command == 8 ? Transform::ScaleAbout(base.x, base.y, amount.value)
                              : Transform::RotationAbout(base.x, base.y, amount.value);
    } else if (command != 3) {
        return;
    }
    for (size_t index : m->selection) {
        Entity& e = d->At(index);
        if (e.deleted) continue;
        if (change)
            TransformEntity(e, *change);
        else
            d->Erase(index);
    }
}

void ReferenceEngine::HostMoveSelection(float& dx, float& dy, const int&) {
    dx = dy = 0;
    Drawing* d = m->Writable();
    if (!d || m->selectionUnit != m->current) return;
    // As a host's move does: each point asked on the prompt line, a line from the base point
    // following the cursor to the second.
    static constexpr char kBasePrompt[] = "请点取移动的基点", kTargetPrompt[] = "请点取移动的目标点";
    HostPrompt(kBasePrompt, static_cast<int>(sizeof kBasePrompt - 1));
    InputEvent from = m->NextInput(InputWant::Point);
    if (from.type != Type::Point) {
        HostClearPrompt();
        return;
    }
    HostPrompt(kTargetPrompt, static_cast<int>(sizeof kTargetPrompt - 1));
    InputEvent to;
    std::vector<float> band;
    for (;;) {
        to = m->NextInput(InputWant::Track);
        if (!band.empty() && --m->tempShapes[band] == 0) m->tempShapes.erase(band);
        band.clear();
        if (to.type != Type::Move) break;
        float fx, fy, tx, ty;  // rubber bands are drawn in user coordinates
        m->ToUser(from.x, from.y, fx, fy);
        m->ToUser(to.x, to.y, tx, ty);
        band = {float(kLine), fx, fy, tx, ty};
        ++m->tempShapes[band];
    }
    HostClearPrompt();
    if (to.type != Type::Point) return;
    Transform shift = Transform::Translation(to.x - from.x, to.y - from.y);
    for (size_t index : m->selection)
        if (!d->At(index).deleted) TransformEntity(d->At(index), shift);
    float fx, fy, tx, ty;
    m->ToUser(from.x, from.y, fx, fy);
    m->ToUser(to.x, to.y, tx, ty);
    dx = tx - fx;
    dy = ty - fy;
}

}  // namespace ckw::engine
