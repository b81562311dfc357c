// Drawing units, the drawing-level word record and the layer table of the reference engine.
#include <algorithm>
#include <cstring>
#include <utility>

#include "RefState.h"
#include "base/GbkText.h"

namespace ckw::engine {

namespace {

// Copies a name into a caller buffer: at most capacity bytes, NUL only when there is room.
void GiveName(const std::string& name, char* buffer, const int& capacity, int& length) {
    length = static_cast<int>(name.size());
    if (!buffer || capacity <= 0) return;
    size_t n = std::min(name.size(), static_cast<size_t>(capacity));
    std::memcpy(buffer, name.data(), n);
    if (n < static_cast<size_t>(capacity)) buffer[n] = '\0';
}

}  // namespace

// --- Drawing-level record ----------------------------------------------------------------------

namespace {

// The drawing-level record needs no entities: a drawing opened for a look keeps them unread.
Unit* RecordUnit(ReferenceEngine::State& s, int unit, int record) { return record == 0 ? s.Peek(unit) : nullptr; }

}  // namespace

int ReferenceEngine::HostCreateDrawingData(const int& unit, const int& record, const int& length, const int&) {
    Unit* u = RecordUnit(*m, unit, record);
    if (!u || u->readOnly || length < 0 || length > kMaxDrawingDataWords) return 0;
    u->drawing.Data().assign(static_cast<size_t>(length), 0);
    u->dataPosition = 1;
    return 1;
}

int ReferenceEngine::HostResizeDrawingData(const int& unit, const int& record, const int& length, const int&) {
    Unit* u = RecordUnit(*m, unit, record);
    if (!u || u->readOnly || length < 0 || length > kMaxDrawingDataWords) return 0;
    u->drawing.Data().resize(static_cast<size_t>(length), 0);
    u->dataPosition = std::min(u->dataPosition, static_cast<size_t>(length) + 1);
    return 1;
}

void ReferenceEngine::HostGetDrawingDataSize(const int& unit, const int& record, int& length, const int&) {
    Unit* u = RecordUnit(*m, unit, record);
    length = u ? static_cast<int>(std::as_const(u->drawing).Data().size()) : 0;
}

int ReferenceEngine::HostSeekDrawingData(const int& unit, const int& record, const int& position, const int&) {
    Unit* u = RecordUnit(*m, unit, record);
    if (!u || position < 1 || static_cast<size_t>(position) > std::as_const(u->drawing).Data().size() + 1) return 0;
    u->dataPosition = static_cast<size_t>(position);
    return 1;
}

int ReferenceEngine::HostReadDrawingData(const int& unit, const int& record, int* words, const int& count, const int&) {
    Unit* u = RecordUnit(*m, unit, record);
    if (!u || count < 0 || (count > 0 && !words)) return 0;
    const auto& data = std::as_const(u->drawing).Data();
    size_t start = u->dataPosition - 1;
    if (start + static_cast<size_t>(count) > data.size()) return 0;
    std::copy_n(data.begin() + static_cast<ptrdiff_t>(start), count, words);
    u->dataPosition += static_cast<size_t>(count);
    return 1;
}

int ReferenceEngine::HostWriteDrawingData(const int& unit, const int& record, const int* words, const int& count,
                                          const int&) {
    Unit* u = RecordUnit(*m, unit, record);
    if (!u || u->readOnly || count < 0 || (count > 0 && !words)) return 0;
    auto& data = u->drawing.Data();
    size_t start = u->dataPosition - 1;
    if (start + static_cast<size_t>(count) > data.size()) return 0;
    std::copy_n(words, count, data.begin() + static_cast<ptrdiff_t>(start));
    u->dataPosition += static_cast<size_t>(count);
    return 1;
}

// --- Drawings ----------------------------------------------------------------------------------

void ReferenceEngine::HostGetCurrentDrawing(int& unit) { unit = m->current; }

void ReferenceEngine::HostGetDrawingFileName(const int& unit, char* buffer, const int& capacity, int& length) {
    length = 0;
    auto it = m->units.find(unit <= 0 ? m->current : unit);
    if (it == m->units.end() || !buffer || capacity <= 0) return;
    const std::string& name = it->second.drawing.FileName();
    length = static_cast<int>(std::min(name.size(), static_cast<size_t>(capacity - 1)));
    std::memcpy(buffer, name.data(), static_cast<size_t>(length));
    buffer[length] = '\0';
}

namespace {

int OpenOn(ReferenceEngine& engine, ReferenceEngine::State& s, int unit, const char* path, int capacity, int length,
           bool readOnly) {
    std::filesystem::path file = PathFromGbk(path, length, capacity);
    std::string error;
    if (file.empty() || !engine.Open(unit, file, error, readOnly)) {
        s.Message(ckw::text::Utf8ToGbk(error.empty() ? "no file name given" : error));
        return 0;
    }
    return 1;
}

}  // namespace

int ReferenceEngine::HostOpenDrawing(const int& unit, const char* path, const int& capacity, const int& length) {
    return OpenOn(*this, *m, unit, path, capacity, length, false);
}

int ReferenceEngine::HostOpenDrawingFile(const int& unit, const char* path, const int& capacity, const int& length) {
    return OpenOn(*this, *m, unit, path, capacity, length, true);
}

void ReferenceEngine::HostCloseDrawing(const int& unit) { m->DropUnit(unit <= 0 ? m->current : unit); }
void ReferenceEngine::HostCloseDrawingFile(const int& unit) { HostCloseDrawing(unit); }

void ReferenceEngine::HostSelectDrawing(const int& unit) {
    if (m->units.count(unit)) m->current = unit;
}

void ReferenceEngine::HostSaveDrawingState(const int&) {
    // Drawings live in memory; there is no view state to keep.
}

void ReferenceEngine::HostShowDrawing() { ++m->viewCalls; }
void ReferenceEngine::HostRedraw() { ++m->viewCalls; }
void ReferenceEngine::HostRegen() { ++m->viewCalls; }
void ReferenceEngine::HostRefreshAll() { ++m->viewCalls; }

void ReferenceEngine::HostSetDrawingName(const int& which, const char* name, const int& length) {
    Drawing* d = m->Writable();
    if (!d || !name || length < 0) return;
    std::string text(name, static_cast<size_t>(std::min(length, kMaxEntityText)));
    d->Names()[which] = text.substr(0, text.find('\0'));
}

// --- Layer table -------------------------------------------------------------------------------

void ReferenceEngine::HostBeginLayerTable(const int& unit) {
    m->layerTable.clear();
    m->layerTableUnit = 0;
    Unit* u = m->Get(unit);
    if (!u) return;
    m->layerTableUnit = unit <= 0 ? m->current : unit;
    m->layerTable = u->drawing.LayerEntries();
}

void ReferenceEngine::HostGetLayerCount(int& count) { count = static_cast<int>(m->layerTable.size()); }

namespace {

const Entity* LayerTableEntry(ReferenceEngine::State& s, int index) {
    Unit* u = s.layerTableUnit ? s.Get(s.layerTableUnit) : nullptr;
    if (!u || index < 1 || static_cast<size_t>(index) > s.layerTable.size()) return nullptr;
    size_t at = s.layerTable[static_cast<size_t>(index - 1)];
    if (at >= u->drawing.Entities().size()) return nullptr;
    return &u->drawing.Entities()[at];
}

}  // namespace

void ReferenceEngine::HostGetLayerEntry(const int& index, int& layer, int& flag) {
    const Entity* e = LayerTableEntry(*m, index);
    if (!e) {
        layer = -1;
        flag = 1;
        return;
    }
    layer = e->attributes[0];
    flag = e->deleted ? 2 : e->attributes[4];
}

void ReferenceEngine::HostGetLayerEntryName(const int& index, char* buffer, const int& capacity, int& length) {
    const Entity* e = LayerTableEntry(*m, index);
    if (!e) {
        length = -1;
        return;
    }
    GiveName(e->text, buffer, capacity, length);
}

void ReferenceEngine::HostGetLayerName(const int& unit, const int& layer, char* buffer, const int& capacity,
                                       int& length) {
    length = 0;
    Unit* u = m->Get(unit);
    if (!u) return;
    if (auto info = u->drawing.Layer(layer)) GiveName(info->name, buffer, capacity, length);
}

}  // namespace ckw::engine
