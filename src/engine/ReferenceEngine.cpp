// The reference engine's drawings, input script and prompt line, and the helpers its members
// share. The HostEngine members live in the Engine*.cpp files by group.
#include <ckw/ReferenceEngine.h>

#include <algorithm>
#include <iostream>
#include <limits>

#include "RefState.h"
#include "base/GbkText.h"

namespace ckw::engine {

// --- State helpers -----------------------------------------------------------------------------

Unit* ReferenceEngine::State::Peek(int unit) {
    auto it = units.find(unit <= 0 ? current : unit);
    return it == units.end() ? nullptr : &it->second;
}

Unit* ReferenceEngine::State::Get(int unit) {
    Unit* found = Peek(unit);
    if (!found) return nullptr;
    Unit& u = *found;
    if (u.entitiesPending) {
        u.entitiesPending = false;
        if (const Status read = ReadDrawingEntities(u.source, u.drawing); !read.ok())
            Message(ckw::text::Utf8ToGbk(read.why()));
    }
    return &u;
}

Drawing* ReferenceEngine::State::Writable() {
    Unit* u = Get(0);
    return u && !u->readOnly ? &u->drawing : nullptr;
}

Entity* ReferenceEngine::State::CurrentEntity() {
    if (!currentEntity) return nullptr;
    Unit* u = Get(currentEntity->unit);
    if (!u || currentEntity->index >= u->drawing.Entities().size()) return nullptr;
    return &u->drawing.At(currentEntity->index);
}

void ReferenceEngine::State::SetCurrent(int unit, size_t index) {
    currentEntity = EntityRef{unit <= 0 ? current : unit, index};
    attributeOverrides = {};
}

void ReferenceEngine::State::Create(Entity e) {
    Drawing* d = Writable();
    if (!d) return;
    e.attributes = {pen[0], pen[1], pen[2], pen[3], 0, 0, 0};
    e.xdata = pendingNew;
    if (!ucs.IsIdentity()) TransformEntity(e, ucs);
    size_t index = d->Add(std::move(e));
    SetCurrent(current, index);
}

void ReferenceEngine::State::Message(const std::string& gbk) {
    prompt = gbk;
    if (promptHistory.size() >= 1000) promptHistory.erase(promptHistory.begin());
    promptHistory.push_back(gbk);
    if (echo) std::cerr << ckw::text::GbkToUtf8(gbk) << std::endl;
}

InputEvent ReferenceEngine::State::NextInput(InputWant want) {
    const bool skipMoves = want != InputWant::Track && want != InputWant::TrackOrValue;
    while (!input.empty()) {
        InputEvent event = input.front();
        input.pop_front();
        if (skipMoves && event.type == InputEvent::Type::Move) continue;
        return event;
    }
    while (source) {
        InputEvent event = source->NextInput(want);
        if (skipMoves && event.type == InputEvent::Type::Move) continue;
        return event;
    }
    return InputEvent{};  // an exhausted script answers [Esc]
}

void ReferenceEngine::State::ToUser(double wx, double wy, float& x, float& y) const {
    Transform back;
    double ux = wx, uy = wy;
    if (!ucs.IsIdentity() && ucs.Invert(back)) back.Apply(wx, wy, ux, uy);
    x = static_cast<float>(ux);
    y = static_cast<float>(uy);
}

void ReferenceEngine::State::ClearSelection() {
    selection.clear();
    selected.clear();
    selectionWalk = 0;
    selectionUnit = 0;
    ++selectionRevision;
}

void ReferenceEngine::State::Select(size_t index) {
    if (selectionUnit != current) {
        ClearSelection();
        selectionUnit = current;
    }
    if (selected.size() <= index) selected.resize(index + 1, 0);
    if (selected[index]) return;
    selected[index] = 1;
    selection.push_back(index);
    ++selectionRevision;
}

void ReferenceEngine::State::Unselect(const std::vector<size_t>& indexes) {
    if (selectionUnit != current) return;
    bool any = false;
    for (size_t index : indexes)
        if (index < selected.size() && selected[index]) selected[index] = 0, any = true;
    if (!any) return;
    std::erase_if(selection, [&](size_t index) { return !selected[index]; });
    selectionWalk = 0;
    ++selectionRevision;
}

const EntityIndex& ReferenceEngine::State::Index(Unit& unit) {
    if (!unit.index || unit.indexRevision != unit.drawing.Revision()) {
        unit.index = std::make_shared<EntityIndex>(unit.drawing);
        unit.indexRevision = unit.drawing.Revision();
    }
    return *unit.index;
}

std::optional<size_t> ReferenceEngine::State::Nearest(Unit& unit, double x, double y, double within, int filter) {
    const Drawing& d = unit.drawing;
    const EntityIndex& index = Index(unit);
    size_t found = 0;
    auto onLayer = [](const Entity& e, const void* layer) {
        int wanted = *static_cast<const int*>(layer);
        return wanted <= 0 || e.Layer() == wanted;
    };
    if (!index.Nearest(d, x, y, within, found, onLayer, &filter)) return std::nullopt;
    return found;
}

void ReferenceEngine::State::ForgetPlaces(int unit) {
    if (selectionUnit == unit) ClearSelection();
    if (currentEntity && currentEntity->unit == unit) currentEntity.reset();
    if (layerTableUnit == unit) {
        layerTableUnit = 0;
        layerTable.clear();
    }
}

void ReferenceEngine::State::DropUnit(int unit) {
    histories.erase(unit);  // before its drawing, which it watches
    units.erase(unit);
    ForgetPlaces(unit);
    if (current == unit) {
        if (units.empty()) units[1] = Unit{};
        current = units.begin()->first;
    }
}

std::filesystem::path PathFromGbk(const char* text, int length, int capacity) {
    if (!text) return {};
    int limit = std::max(0, std::min(length, capacity > 0 ? capacity : length));
    std::string_view gbk(text, static_cast<size_t>(limit));
    gbk = gbk.substr(0, gbk.find('\0'));
    return std::filesystem::path(ckw::text::GbkToUtf8(ckw::text::TrimRight(gbk)));
}

// --- Public interface --------------------------------------------------------------------------

ReferenceEngine::ReferenceEngine() : m(std::make_unique<State>()) { Reset(); }
ReferenceEngine::~ReferenceEngine() = default;

void ReferenceEngine::Reset() {
    m = std::make_unique<State>();
    m->units[1] = Unit{};
    m->current = 1;
}

int ReferenceEngine::CurrentUnit() const { return m->current; }

std::vector<int> ReferenceEngine::Units() const {
    std::vector<int> units;
    for (const auto& [unit, _] : m->units) units.push_back(unit);
    return units;
}

Drawing* ReferenceEngine::DrawingOn(int unit) {
    Unit* u = m->Get(unit);
    return u ? &u->drawing : nullptr;
}

Drawing& ReferenceEngine::Current() { return m->Cur().drawing; }

int ReferenceEngine::NewDrawing(int unit) {
    if (unit <= 0) {
        unit = 1;
        while (m->units.count(unit)) ++unit;
    }
    m->DropUnit(unit);
    m->units[unit] = Unit{};
    m->current = unit;
    return unit;
}

bool ReferenceEngine::Open(int unit, const std::filesystem::path& file, std::string& error, bool readOnly) {
    if (unit <= 0) unit = m->current;
    Unit fresh;
    if (const Status read = ReadDrawing(file, fresh.drawing, !readOnly, {}); !read.ok()) {
        error = read.why();
        return false;
    }
    fresh.readOnly = readOnly;
    fresh.entitiesPending = readOnly;
    fresh.source = file;
    fresh.drawing.SetFileName(ckw::text::Utf8ToGbk(file.string()));
    m->DropUnit(unit);
    m->units[unit] = std::move(fresh);
    m->current = unit;
    return true;
}

bool ReferenceEngine::Save(int unit, const std::filesystem::path& file, std::string& error) {
    Unit* u = m->Get(unit);
    if (!u) {
        error = "no drawing is open on unit " + std::to_string(unit);
        return false;
    }
    std::filesystem::path target =
        file.empty() ? std::filesystem::path(ckw::text::GbkToUtf8(u->drawing.FileName())) : file;
    if (target.empty()) {
        error = "the drawing has no file name";
        return false;
    }
    if (!WriteDrawingFile(target, u->drawing, error)) return false;
    u->drawing.SetFileName(ckw::text::Utf8ToGbk(target.string()));
    return true;
}

void ReferenceEngine::Close(int unit) { m->DropUnit(unit <= 0 ? m->current : unit); }

void ReferenceEngine::SetInput(std::vector<InputEvent> events) { m->input.assign(events.begin(), events.end()); }
void ReferenceEngine::AppendInput(const InputEvent& event) { m->input.push_back(event); }

bool ReferenceEngine::LoadInputScript(std::string_view utf8, std::string& error) {
    std::vector<InputEvent> events;
    if (!ParseInputScript(utf8, events, error)) return false;
    for (auto& e : events) m->input.push_back(std::move(e));
    return true;
}

size_t ReferenceEngine::PendingInput() const { return m->input.size(); }
void ReferenceEngine::SetInputSource(InputSource* source) { m->source = source; }
InputSource* ReferenceEngine::GetInputSource() const { return m->source; }
void ReferenceEngine::SetPickAperture(float aperture) { m->aperture = std::max(0.0f, aperture); }
const std::string& ReferenceEngine::PromptLine() const { return m->prompt; }
const std::vector<std::string>& ReferenceEngine::PromptHistory() const { return m->promptHistory; }
void ReferenceEngine::EchoPrompts(bool on) { m->echo = on; }

size_t ReferenceEngine::TemporaryShapes() const {
    return static_cast<size_t>(std::count_if(m->tempShapes.begin(), m->tempShapes.end(),
                                             [](const auto& shape) { return shape.second % 2 != 0; }));
}

std::vector<std::vector<float>> ReferenceEngine::ShownTemporaryShapes() const {
    std::vector<std::vector<float>> shown;
    for (const auto& [shape, times] : m->tempShapes) {
        if (times % 2 == 0) continue;
        std::vector<float> placed = shape;
        // Lines and polylines are drawn in user coordinates: show them where they lie.
        const int kind = placed.empty() ? 0 : WholeNumber(placed[0]);
        if ((kind == kLine || kind == kPolyline) && !m->ucs.IsIdentity())
            for (size_t i = 1; i + 1 < placed.size(); i += 2) {
                double x, y;
                m->ucs.Apply(placed[i], placed[i + 1], x, y);
                placed[i] = static_cast<float>(x);
                placed[i + 1] = static_cast<float>(y);
            }
        shown.push_back(std::move(placed));
    }
    return shown;
}

int ReferenceEngine::TemporaryColour() const { return m->tempColour; }

int ReferenceEngine::ViewCalls() const { return m->viewCalls; }

}  // namespace ckw::engine
