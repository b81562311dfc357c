#include "UndoHistory.h"

#include <numeric>

namespace ckw::engine {

namespace {

size_t StringBytes(const std::string& text) {
    static const size_t inPlace = std::string().capacity();
    return text.capacity() > inPlace ? text.capacity() + 1 : 0;
}

size_t BlocksBytes(const std::map<int, Block>& blocks) {
    size_t bytes = 0;
    for (const auto& [number, block] : blocks) {
        bytes += sizeof(std::pair<const int, Block>) + 4 * sizeof(void*) + StringBytes(block.name);
        for (const Entity& e : block.entities) bytes += EntityBytes(e);
    }
    return bytes;
}

size_t NamesBytes(const std::map<int, std::string>& names) {
    size_t bytes = 0;
    for (const auto& [which, name] : names)
        bytes += sizeof(std::pair<const int, std::string>) + 4 * sizeof(void*) + StringBytes(name);
    return bytes;
}

}  // namespace

size_t EntityBytes(const Entity& e) {
    return sizeof(Entity) + e.values.capacity() * sizeof(float) + StringBytes(e.text) +
           e.xdata.capacity() * sizeof(int32_t);
}

UndoHistory::UndoHistory(Drawing& drawing, size_t budget) : m_drawing(drawing), m_budget(budget) {
    Start();
    Watch(m_drawing, this);
}

UndoHistory::~UndoHistory() { Unwatch(m_drawing, this); }

void UndoHistory::Start() {
    Recording& r = m_recording;
    r.base = m_drawing.Entities().size();
    r.nextId = m_drawing.NextId();
    r.stamp = m_drawing.Stamp();
    r.slot.clear();
    r.copies.clear();
    r.erased.clear();
    r.blocks.reset();
    r.data.reset();
    r.names.reset();
}

void UndoHistory::BeforeEntity(const Drawing& drawing, size_t index, bool erase) {
    Recording& r = m_recording;
    if (m_applying || index >= r.base) return;  // added since: the step removes them whole
    if (r.slot.empty()) r.slot.assign(r.base, 0);
    uint32_t& slot = r.slot[index];
    const Entity& now = drawing.Entities()[index];
    if (slot == kErased && !erase) {
        // Erased earlier in the step, now changed otherwise: it was as it is, but live.
        r.copies.emplace_back(index, now).second.deleted = false;
        slot = static_cast<uint32_t>(r.copies.size());
    }
    if (slot != 0) return;
    if (erase) {
        if (now.deleted) return;  // erasing an erased entity changes nothing
        r.erased.push_back(index);
        slot = kErased;
    } else {
        r.copies.emplace_back(index, now);
        slot = static_cast<uint32_t>(r.copies.size());
    }
}

void UndoHistory::BeforePart(const Drawing& drawing, Drawing::Part part) {
    if (m_applying) return;
    Recording& r = m_recording;
    switch (part) {
    case Drawing::Part::Blocks:
        if (!r.blocks) r.blocks = drawing.Blocks();
        break;
    case Drawing::Part::Data:
        if (!r.data) r.data = drawing.Data();
        break;
    case Drawing::Part::Names:
        if (!r.names) r.names = drawing.Names();
        break;
    }
}

void UndoHistory::Close(const std::string& name) {
    Recording& r = m_recording;
    const Drawing& d = m_drawing;
    const auto& entities = d.Entities();
    if (entities.size() < r.base) {  // entities removed behind the history's back: it no longer fits
        Clear();
        return;
    }
    Step step;
    step.name = name;
    step.base = r.base;
    step.added = entities.size() - r.base;
    for (size_t index : r.erased)
        if (r.slot[index] == kErased && entities[index].deleted) step.flips.push_back(index);
    for (auto& [index, before] : r.copies) {
        const Entity& now = entities[index];
        if (before == now) continue;
        const bool wasDeleted = before.deleted;
        before.deleted = now.deleted;
        if (before == now) {
            step.flips.push_back(index);
            continue;
        }
        before.deleted = wasDeleted;
        step.swaps.emplace_back(index, std::move(before));
    }
    step.nextId = r.nextId;
    step.stamp = r.stamp;
    if (r.blocks && *r.blocks != d.Blocks()) step.blocks = std::move(r.blocks);
    if (r.data && *r.data != d.Data()) step.data = std::move(r.data);
    if (r.names && *r.names != d.Names()) step.names = std::move(r.names);
    const bool changed = !step.flips.empty() || !step.swaps.empty() || step.added > 0 || step.blocks || step.data ||
                         step.names || step.nextId != d.NextId() || step.stamp != d.Stamp();
    Start();
    if (!changed) return;
    step.flips.shrink_to_fit();
    step.swaps.shrink_to_fit();
    m_redo.clear();
    step.before = m_mark;
    step.after = m_mark = ++m_serial;
    step.bytes = StepBytes(step);
    m_undo.push_back(std::move(step));
    Trim();
}

bool UndoHistory::Apply(Step& step, bool undo) {
    Drawing& d = m_drawing;
    if (d.Entities().size() != step.base + (undo ? step.added : 0)) return false;
    m_applying = true;
    const int nextId = d.NextId(), stamp = d.Stamp();  // before re-added entities move the next one
    bool fits = true;
    if (undo) {
        step.undone = d.TakeLast(step.added);
    } else {
        for (Entity& e : step.undone) fits = d.AddLoaded(std::move(e)) && fits;
        step.undone.clear();
    }
    // Swapping and toggling undo a step and redo it alike.
    for (auto& [index, other] : step.swaps) std::swap(d.At(index), other);
    for (size_t index : step.flips) {
        Entity& e = d.At(index);
        e.deleted = !e.deleted;
    }
    d.SetNextId(step.nextId);
    d.SetStamp(step.stamp);
    step.nextId = nextId;
    step.stamp = stamp;
    if (step.blocks) std::swap(d.Blocks(), *step.blocks);
    if (step.data) std::swap(d.Data(), *step.data);
    if (step.names) std::swap(d.Names(), *step.names);
    d.TablesChanged();
    m_applying = false;
    step.bytes = StepBytes(step);
    return fits;
}

bool UndoHistory::Undo() { return Move(m_undo, m_redo, true); }

bool UndoHistory::Redo() { return Move(m_redo, m_undo, false); }

bool UndoHistory::Move(std::deque<Step>& from, std::deque<Step>& to, bool undo) {
    if (from.empty()) return false;
    Step& step = from.back();
    if (!Apply(step, undo)) {
        Clear();
        return false;
    }
    m_mark = undo ? step.before : step.after;
    to.push_back(std::move(step));
    from.pop_back();
    Start();
    Trim();
    return true;
}

void UndoHistory::Clear() {
    m_undo.clear();
    m_redo.clear();
    Start();
}

size_t UndoHistory::StepBytes(const Step& step) {
    size_t bytes = sizeof(Step) + StringBytes(step.name) + step.flips.capacity() * sizeof(size_t) +
                   step.swaps.capacity() * sizeof(std::pair<size_t, Entity>) + step.undone.capacity() * sizeof(Entity);
    for (const auto& [index, e] : step.swaps) bytes += EntityBytes(e) - sizeof(Entity);
    for (const Entity& e : step.undone) bytes += EntityBytes(e) - sizeof(Entity);
    if (step.blocks) bytes += BlocksBytes(*step.blocks);
    if (step.data) bytes += step.data->capacity() * sizeof(int32_t);
    if (step.names) bytes += NamesBytes(*step.names);
    return bytes;
}

size_t UndoHistory::Bytes() const {
    auto add = [](size_t sum, const Step& step) { return sum + step.bytes; };
    return std::accumulate(m_redo.begin(), m_redo.end(), std::accumulate(m_undo.begin(), m_undo.end(), size_t{0}, add),
                           add);
}

void UndoHistory::SetBudget(size_t bytes) {
    m_budget = bytes;
    Trim();
}

void UndoHistory::Trim() {
    // The newest step stays whatever it costs: the last command can always be undone.
    size_t bytes = Bytes();
    while (bytes > m_budget && m_undo.size() + m_redo.size() > 1 && !m_undo.empty()) {
        bytes -= m_undo.front().bytes;
        m_undo.pop_front();
        ++m_dropped;
    }
}

}  // namespace ckw::engine
