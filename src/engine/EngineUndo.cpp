// The reference engine's undo history: one per drawing, steps opened and closed around commands.
#include <ckw/ReferenceEngine.h>

#include "RefState.h"

namespace ckw::engine {

namespace {

bool Travel(ReferenceEngine::State& m, int unit, bool undo) {
    if (m.stepDepth > 0) return false;
    UndoHistory* history = m.History(unit);
    if (!history || !(undo ? history->Undo() : history->Redo())) return false;
    m.ForgetPlaces(unit <= 0 ? m.current : unit);
    return true;
}

}  // namespace

UndoHistory* ReferenceEngine::State::History(int unit) {
    if (unit <= 0) unit = current;
    Unit* u = Get(unit);  // entities of a drawing opened for a look are read first
    if (!u || u->readOnly) return nullptr;
    auto& history = histories[unit];
    if (!history) history = std::make_unique<UndoHistory>(u->drawing, historyBudget);
    if (stepDepth == 0) history->Close({});
    return history.get();
}

void ReferenceEngine::BeginStep(const std::string& gbkName) {
    if (m->stepDepth++ > 0) return;
    m->stepName = gbkName;
    // What changed before the step is a step of its own.
    m->History(0);
    for (auto& [unit, history] : m->histories) history->Close({});
}

void ReferenceEngine::EndStep() {
    if (m->stepDepth == 0 || --m->stepDepth > 0) return;
    for (auto& [unit, history] : m->histories) history->Close(m->stepName);
}

bool ReferenceEngine::InStep() const { return m->stepDepth > 0; }

bool ReferenceEngine::CanUndo(int unit) const {
    const UndoHistory* history = m->History(unit);
    return history && history->CanUndo();
}

bool ReferenceEngine::CanRedo(int unit) const {
    const UndoHistory* history = m->History(unit);
    return history && history->CanRedo();
}

std::string ReferenceEngine::UndoName(int unit) const {
    const UndoHistory* history = m->History(unit);
    return history ? history->UndoName() : std::string();
}

std::string ReferenceEngine::RedoName(int unit) const {
    const UndoHistory* history = m->History(unit);
    return history ? history->RedoName() : std::string();
}

bool ReferenceEngine::Undo(int unit) { return Travel(*m, unit, true); }

bool ReferenceEngine::Redo(int unit) { return Travel(*m, unit, false); }

void ReferenceEngine::ClearHistory(int unit) {
    if (UndoHistory* history = m->History(unit)) history->Clear();
}

uint64_t ReferenceEngine::HistoryMark(int unit) const {
    const UndoHistory* history = m->History(unit);
    return history ? history->Mark() : 0;
}

size_t ReferenceEngine::HistoryBytes(int unit) const {
    const UndoHistory* history = m->History(unit);
    return history ? history->Bytes() : 0;
}

size_t ReferenceEngine::DroppedSteps(int unit) const {
    const UndoHistory* history = m->History(unit);
    return history ? history->Dropped() : 0;
}

void ReferenceEngine::SetHistoryBudget(size_t bytes) {
    m->historyBudget = bytes;
    for (auto& [unit, history] : m->histories) history->SetBudget(bytes);
}

}  // namespace ckw::engine
